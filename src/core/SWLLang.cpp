#include "SWLLang.h"

#include "LangEN.h"
#include "LangVI.h"
#include "ansi_codepage.h"

namespace swl {

std::u16string GetLangText(bool vietnamese, std::string_view key) {
    if (vietnamese) return GetTextVI(key);
    // The English texts are ASCII, which every ANSI code page widens to the
    // same values.
    return WidenAscii(GetTextEN(key));
}

std::span<const std::string_view> LangKeys() { return KeysEN(); }

}  // namespace swl
