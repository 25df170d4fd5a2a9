#include "settings/picture_file_names.h"

#include "ascii_case.h"
#include "settings/settings_file.h"

namespace swl {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f');
}

}  // namespace

std::string BitmapFileName(int slot, int choice) {
    std::string name = ItemSectionName(slot);
    if (choice > 0) {
        name += '-';
        name += std::to_string(choice);
    }
    name += ".bmp";
    return name;
}

bool IsOwnPictureName(std::string_view name) {
    // "cbi" hex hex [ "-" digit ] ".bmp"
    constexpr std::string_view kPrefix = "cbi", kSuffix = ".bmp";
    if (name.size() < kPrefix.size() + 2 + kSuffix.size()) return false;
    if (!SameIgnoringAsciiCase(name.substr(0, kPrefix.size()), kPrefix)) return false;
    if (!SameIgnoringAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix)) return false;
    std::string_view middle = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    if (!IsHexDigit(middle[0]) || !IsHexDigit(middle[1])) return false;
    middle.remove_prefix(2);
    if (middle.empty()) return true;
    return middle.size() == 2 && middle[0] == '-' && middle[1] >= '1' &&
           middle[1] < static_cast<char>('0' + kBitmapNameChoices);
}

bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("\\/:") == std::string_view::npos;
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& ch : folded) ch = LowerAscii(ch);
    return folded;
}

}  // namespace swl
