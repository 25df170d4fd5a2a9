#include "markup/char_reference.h"

#include "markup/markup_text.h"

namespace swl::markup_detail {
namespace {

struct NamedReference {
    std::u16string_view name;
    char16_t character;
};

constexpr NamedReference kNamed[] = {
    {u"amp", u'&'},       {u"lt", u'<'},         {u"gt", u'>'},         {u"quot", u'"'},
    {u"nbsp", u'\u00A0'}, {u"euro", u'\u20AC'},  {u"sect", u'\u00A7'},  {u"reg", u'\u00AE'},
    {u"copy", u'\u00A9'}, {u"para", u'\u00B6'},  {u"trade", u'\u2122'},
};

constexpr char32_t kReplacement = 0xFFFD;

std::u16string FromNumber(std::u16string_view digits) {
    if (digits.empty()) return {};
    char32_t value = 0;
    bool tooLarge = false;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return {};
        if (!tooLarge) {
            value = value * 10 + static_cast<char32_t>(c - u'0');
            tooLarge = value > 0x10FFFF;
        }
    }
    if (tooLarge || value == 0 || (value >= 0xD800 && value <= 0xDFFF)) value = kReplacement;
    std::u16string out;
    AppendUtf16(out, value);
    return out;
}

}  // namespace

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::u16string ResolveCharReference(std::u16string_view name) {
    if (!name.empty() && name[0] == u'#') return FromNumber(name.substr(1));
    for (const auto& ref : kNamed)
        if (EqualsAsciiNoCase(name, ref.name)) return std::u16string(1, ref.character);
    return {};
}

}  // namespace swl::markup_detail

namespace swl {

std::string EscapeMarkupText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

}  // namespace swl
