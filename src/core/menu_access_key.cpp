#include "menu_access_key.h"

namespace swl {
namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

char16_t MenuAccessKey(std::u16string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;  // a literal "&"
            continue;
        }
        return Fold(caption[i + 1]);
    }
    return 0;
}

bool MatchesAccessKey(std::u16string_view caption, char16_t typed) {
    const char16_t key = MenuAccessKey(caption);
    return key != 0 && key == Fold(typed);
}

}  // namespace swl
