#include "markup/markup_tag.h"

#include "markup/markup_text.h"

namespace swl::markup_detail {
namespace {

bool IsQuote(char16_t c) { return c == u'"' || c == u'\''; }

std::u16string_view Unquote(std::u16string_view v) {
    if (v.empty() || !IsQuote(v.front())) return v;
    const char16_t quote = v.front();
    v.remove_prefix(1);
    if (!v.empty() && v.back() == quote) v.remove_suffix(1);
    return v;
}

void AddAttribute(std::u16string_view piece, std::vector<MarkupAttribute>& out) {
    const std::size_t eq = piece.find(u'=');
    if (eq == std::u16string_view::npos) return;
    out.push_back({LowerAscii(piece.substr(0, eq)), std::u16string(Unquote(piece.substr(eq + 1)))});
}

void SplitAttributes(std::u16string_view s, std::vector<MarkupAttribute>& out) {
    std::u16string piece;
    char16_t quote = 0;
    for (char16_t c : s) {
        if (quote != 0) {
            if (c == quote) quote = 0;
            if (c != u' ' || piece.back() != u' ') piece.push_back(c);
        } else if (c == u' ') {
            AddAttribute(piece, out);
            piece.clear();
        } else {
            if (IsQuote(c)) quote = c;
            piece.push_back(c);
        }
    }
    AddAttribute(piece, out);
}

}  // namespace

const std::u16string* MarkupTag::Find(std::u16string_view lowerName) const {
    for (const auto& a : attributes)
        if (a.name == lowerName) return &a.value;
    return nullptr;
}

TagRead ReadTag(std::u16string_view text, std::size_t pos) {
    const std::size_t n = text.size();
    const std::size_t nameStart = pos + 1;
    TagRead read;
    if (text.substr(nameStart, 3) == u"!--") {
        const std::size_t end = text.find(u"-->", nameStart + 3);
        read.next = end == std::u16string_view::npos ? n : end + 3;
        return read;
    }
    std::size_t nameEnd = nameStart;
    while (nameEnd < n && text[nameEnd] != u' ' && text[nameEnd] != u'>') ++nameEnd;
    if (nameEnd == n) {
        read.next = n;
        return read;
    }
    std::size_t close = nameEnd;
    if (text[nameEnd] == u' ') {
        close = text.find(u'>', nameEnd);
        if (close == std::u16string_view::npos) {
            read.next = n;
            return read;
        }
        SplitAttributes(text.substr(nameEnd + 1, close - nameEnd - 1), read.tag.attributes);
    }
    read.tag.name = LowerAscii(text.substr(nameStart, nameEnd - nameStart));
    read.isTag = true;
    read.next = close + 1;
    return read;
}

}  // namespace swl::markup_detail
