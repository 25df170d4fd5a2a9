#include "history.h"

#include <utility>

namespace swl {

void TCBI::Empty() {
    Format = 0;
    FormatName = std::string();
    Bitmap.reset();
    Text = std::string();
    WText = std::u16string();
    UnreadFile = std::string();
}

THistory::THistory(HistoryView& view, const AnsiCodePage& codePage)
    : view_(view), codePage_(codePage) {}

bool THistory::CopyItem(TCBI& dest, const TCBI& src) {
    if (&dest == &src) return true;
    dest.Format = src.Format;
    dest.FormatName = src.FormatName;
    dest.Text = src.Text;
    dest.WText = src.WText;
    dest.UnreadFile = src.UnreadFile;
    dest.Bitmap.reset();
    if (!src.Bitmap) return true;
    dest.Bitmap = src.Bitmap->Copy();
    return dest.Bitmap != nullptr;
}

// The shifts below read as chains of CopyItem from slot j + 1 into slot j.
// Moving each record gives exactly that result (slot j ends up an
// independent record holding what j + 1 held) without deep-copying texts or
// pictures, so storing an item costs the same however full the history is.

void THistory::DropOldest() {
    if (CBCount < 1) return;
    for (int j = 1; j <= CBCount - 1; ++j) CBItems[j] = std::move(CBItems[j + 1]);
    CBItems[CBCount].Empty();
    view_.DeleteLine(0);
    --CBCount;
}

void THistory::ReserveSlot() {
    if (CBCount >= kMaxItems) DropOldest();
    ++CBCount;
    view_.SetLightValue(CBCount);
}

void THistory::DeleteItem(int k) {
    if (k < 1 || k > CBCount) return;
    for (int j = k; j <= CBCount - 1; ++j) CBItems[j] = std::move(CBItems[j + 1]);
    CBItems[CBCount].Empty();
    --CBCount;
    view_.SetLightValue(CBCount);
    ShowCountText();
    view_.DeleteLine(k - 1);
}

void THistory::ClearItems() {
    for (auto& item : CBItems) item.Empty();
    view_.DeleteAllLines();
    CBCount = 0;
    view_.SetLightValue(0);
    view_.SetLightText(u"0/24");
}

void THistory::AddNewestLine() { view_.AddLine(LineText(CBItems[CBCount])); }

void THistory::ShowCountText() { view_.SetLightText(WidenAscii(CountText())); }

std::u16string THistory::LineText(const TCBI& item) const {
    if (item.Format == kCF_BITMAP) return u"Bitmap";
    std::string_view text(item.Text);
    return codePage_.ToWide(text.substr(0, kLineTextBytes));
}

std::string THistory::CountText() const { return std::to_string(CBCount) + "/24"; }

void THistory::ReleasePictures() {
    for (auto& item : CBItems) item.Bitmap.reset();
}

}  // namespace swl
