#include "LangVI.h"

#include <array>

#include "lang_key.h"
#include "strict_utf8.h"

namespace swl {
namespace {

struct Entry {
    std::string_view key;
    std::u8string_view text;  // UTF-8, precomposed characters
};

constexpr Entry kTable[] = {
    {"ebclipboard", u8"Stashwell"},
    {"lbshowall", u8"Xem tất cả"},
    {"lbpasteall", u8"Dán"},
    {"lbclearcb", u8"Xóa Windows Clipboard"},
    {"eboptions", u8"Tùy chọn"},
    {"lbsettings", u8"Cấu hình"},
    {"lbabout", u8"Giới thiệu"},
    {"lbhide", u8"Ẩn Stashwell"},
    {"lbexit", u8"Thoát"},
    {"lbstatushint", u8"Stashwell 1.1"},
    {"lbabouttitle", u8"Stash<b>well</b><sup><font size=14>1.1</font><sup>"},
    {"lbaboutdetail",
     u8"Được viết bởi <a href='mailto:author@example.com'>Alex Sample</a><br>"
     u8"Khoa Khoa học Máy tính,<br>"
     u8"<a href='http://www.example.org'>Đại học Example</a>, Sampleton, Exampleland<br>"
     u8"<br>"
     u8"Bản quyền (c) 2005 <a href='http://www.example.net'>Example Software</a><br>"
     u8"Phiên bản 1.1 (Build 20050420)"},
    {"lbpclipboard", u8"Các mục của Stashwell"},
    {"lbpsettings", u8"Cấu hình của Stashwell"},
    {"ckautoload", u8"&Khởi động cùng với Windows"},
    {"ckmonitor", u8"&Giám sát Windows Clipboard"},
    {"cksave", u8"&Lưu lại khi kết thúc"},
    {"ckrestorecb", u8"&Phục hồi Clipboard khi khởi động"},
    {"cklang", u8"Giao diện Tiếng &Việt"},
    {"lbtransparent", u8"Trong suốt (chỉ trên Win2K/XP/2K3)"},
    {"mishow", u8"&Hiển thị SWL"},
    {"mihide", u8"&Giấu SWL"},
    {"miexit", u8"&Thoát"},
    {"miclear", u8"&Xóa"},
    {"miclearall", u8"Xóa tất cả"},
    {"micopy", u8"Chép vào Clipboard"},
    {"mipaste", u8"&Dán"},
    {"miview", u8"Xem"},
    {"errnotsave", u8"Lỗi: Không thể lưu các thiết lập!"},
    {"errnotload", u8"Lỗi: Không thể đọc các thiết lập!"},
    {"msgsetfocus", u8"Hãy đặt con trỏ vào ứng dụng mà bạn muốn dán!"},
    {"errregistry", u8"Lỗi: Không thể truy xuất Windows Registry!"},
    {"statactive", u8"Hoạt động"},
    {"statdeactive", u8"Ngưng hoạt động"},
    {"msgsavedmiss", u8"Không tìm thấy ảnh."},
    {"msgcbcollected", u8"đối tượng Clipboard đã được lưu"},
    // Quick paste: the hotkey's setting, its messages and the popup.
    {"ckhotkey", u8"&Dán nhanh"},
    {"errhotkey", u8"Lỗi: Không thể đọc phím tắt dán nhanh! Dùng phím tắt này:"},
    {"errhotkeyused", u8"Lỗi: Phím tắt dán nhanh đang bị chương trình khác giữ! Stashwell chạy mà không có nó:"},
    {"errhotkeymodifier", u8"Phím tắt cần có Ctrl, Alt hoặc Win."},
    {"errhotkeyeveryday", u8"Các chương trình và Windows dùng tổ hợp phím này hằng ngày. Hãy chọn tổ hợp khác."},
    {"errhotkeynokey", u8"Phím này không thể làm phím tắt. Hãy chọn phím khác."},
    {"lbquickfilter", u8"Gõ để lọc"},
    {"msghistoryempty", u8"Lịch sử trống."},
    {"msgnomatch", u8"Không có mục nào phù hợp."},
    {"msgsaving", u8"Đang lưu lịch sử Clipboard..."},
};

constexpr auto kKeys = [] {
    std::array<std::string_view, std::size(kTable)> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = kTable[i].key;
    return keys;
}();

}  // namespace

std::u16string GetTextVI(std::string_view key) {
    for (const auto& e : kTable) {
        if (!KeyMatches(e.key, key)) continue;
        // The texts are constants, checked by the tests to decode.
        return DecodeStrictUtf8(e.text).value_or(std::u16string());
    }
    return {};
}

std::span<const std::string_view> KeysVI() { return kKeys; }

}  // namespace swl
