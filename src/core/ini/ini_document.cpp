#include "ini/ini_document.h"

#include <utility>

#include "ascii_case.h"

namespace swl {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool WritableSection(std::string_view name) {
    return !HasLineBreak(name) && name.find(']') == std::string_view::npos;
}

bool WritableKey(std::string_view key) {
    return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
           key.front() != ';' && key.front() != '[';
}

}  // namespace

std::string_view IniDocument::Line::Name() const {
    return std::string_view(text).substr(nameBegin, nameSize);
}

std::string_view IniDocument::Line::RawValue() const {
    return std::string_view(text).substr(valueBegin, valueSize);
}

IniDocument::Line IniDocument::ClassifyLine(std::string text, bool inSection) {
    Line line;
    line.text = std::move(text);
    const std::string_view t(line.text);
    std::size_t first = 0;
    while (first < t.size() && IsBlank(t[first])) ++first;
    if (first == t.size() || t[first] == ';') return line;

    if (t[first] == '[') {
        const std::size_t open = first + 1;
        std::size_t close = t.find(']', open);
        if (close == std::string_view::npos) close = t.size();
        const std::string_view raw = t.substr(open, close - open);
        const std::string_view name = Trim(raw);
        line.kind = Kind::Section;
        line.nameBegin = static_cast<std::size_t>(name.data() - t.data());
        line.nameSize = name.size();
        return line;
    }

    if (!inSection) return line;
    const std::size_t eq = t.find('=', first);
    if (eq == std::string_view::npos) return line;
    const std::string_view name = Trim(t.substr(first, eq - first));
    const std::string_view value = Trim(t.substr(eq + 1));
    line.kind = Kind::Key;
    line.nameBegin = static_cast<std::size_t>(name.data() - t.data());
    line.nameSize = name.size();
    line.valueBegin = static_cast<std::size_t>(value.data() - t.data());
    line.valueSize = value.size();
    return line;
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view key, std::string_view value) {
    std::string text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append(1, '=').append(value);
    return ClassifyLine(std::move(text), true);
}

IniDocument::Line IniDocument::MakeSectionLine(std::string_view section) {
    std::string text;
    text.reserve(section.size() + 2);
    text.append(1, '[').append(section).append(1, ']');
    return ClassifyLine(std::move(text), false);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::size_t stop = end;
        if (stop > pos && bytes[stop - 1] == '\r' && end < bytes.size()) --stop;
        Line line = ClassifyLine(std::string(bytes.substr(pos, stop - pos)), inSection);
        if (line.kind == Kind::Section) inSection = true;
        doc.lines_.push_back(std::move(line));
        pos = next;
    }
    return doc;
}

std::size_t IniDocument::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && SameIgnoringAsciiCase(lines_[i].Name(), name)) return i;
    return kNone;
}

std::size_t IniDocument::SectionEnd(std::size_t h) const {
    std::size_t i = h + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
    return i;
}

std::size_t IniDocument::FindKey(std::size_t h, std::string_view key) const {
    const std::size_t end = SectionEnd(h);
    for (std::size_t i = h + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key && SameIgnoringAsciiCase(lines_[i].Name(), key)) return i;
    return kNone;
}

std::optional<std::string> IniDocument::Get(std::string_view section,
                                            std::string_view key) const {
    const std::size_t h = FindSection(Trim(section));
    if (h == kNone) return std::nullopt;
    const std::size_t k = FindKey(h, Trim(key));
    if (k == kNone) return std::nullopt;
    std::string_view value = lines_[k].RawValue();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string IniDocument::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    auto value = Get(section, key);
    return value ? std::move(*value) : std::string(def);
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(Trim(section)) != kNone;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& line : lines_)
        if (line.kind == Kind::Section) names.emplace_back(line.Name());
    return names;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!WritableSection(section) || !WritableKey(key) || HasLineBreak(value)) return false;

    const std::size_t h = FindSection(section);
    if (h == kNone) {
        lines_.push_back(MakeSectionLine(section));
        lines_.push_back(MakeKeyLine(key, value));
        return true;
    }
    const std::size_t k = FindKey(h, key);
    if (k != kNone) {
        // The name keeps the spelling the file has, as on the platform.
        const std::string existing(lines_[k].Name());
        lines_[k] = MakeKeyLine(existing, value);
        return true;
    }
    std::size_t at = h + 1;
    const std::size_t end = SectionEnd(h);
    for (std::size_t i = h + 1; i < end; ++i)
        if (lines_[i].kind == Kind::Key) at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeKeyLine(key, value));
    return true;
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    section = Trim(section);
    key = Trim(key);
    const std::size_t h = FindSection(section);
    if (h == kNone) return;
    std::size_t end = SectionEnd(h);
    for (std::size_t i = h + 1; i < end;) {
        if (lines_[i].kind == Kind::Key && SameIgnoringAsciiCase(lines_[i].Name(), key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            --end;
        } else {
            ++i;
        }
    }
}

void IniDocument::EraseSection(std::string_view section) {
    section = Trim(section);
    std::vector<Line> kept;
    kept.reserve(lines_.size());
    bool erasing = false;
    for (auto& line : lines_) {
        if (line.kind == Kind::Section) erasing = SameIgnoringAsciiCase(line.Name(), section);
        if (erasing && line.kind != Kind::Other) continue;
        kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
    // Lines kept from an erased section now belong to the section before it
    // (or to the start of the file); only Other lines were kept, and they mean
    // nothing in either place, so no line changes its meaning.
}

std::string IniDocument::Serialize() const {
    std::size_t size = 0;
    for (const auto& line : lines_) size += line.text.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines_) out.append(line.text).append("\r\n");
    return out;
}

}  // namespace swl
