// The settings file's document model on arbitrary files and edits: no crash
// or undefined behaviour; writing is stable (what is written parses to the
// same document); and after each edit the file written reads back as the
// edit says, with the rest unchanged.
//
// Input: "section \x01 key \x01 value \0 file"; without a zero byte the whole
// input is the file and the names are the program's own.
#include "ini/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

// How a written value reads back: blanks trimmed, one pair of quotes removed.
std::string ReadForm(std::string_view v) {
    while (!v.empty() && IsBlank(v.front())) v.remove_prefix(1);
    while (!v.empty() && IsBlank(v.back())) v.remove_suffix(1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

swl::IniDocument Reparse(const swl::IniDocument& doc) {
    return swl::IniDocument::Parse(doc.Serialize());
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view section = "SWL", key = "CBI", value = "24", file = input;
    const std::size_t zero = input.find('\0');
    if (zero != std::string_view::npos) {
        std::string_view head = input.substr(0, zero);
        file = input.substr(zero + 1);
        const std::size_t a = head.find('\x01');
        section = head.substr(0, a);
        if (a != std::string_view::npos) {
            head = head.substr(a + 1);
            const std::size_t b = head.find('\x01');
            key = head.substr(0, b);
            value = b == std::string_view::npos ? std::string_view() : head.substr(b + 1);
        }
    }
    // A second key and section whose values must survive the edits.
    const std::string otherKey = std::string(key) + "_other";
    const std::string otherSection = std::string(section) + "_other";

    const swl::IniDocument doc = swl::IniDocument::Parse(file);
    const std::string once = doc.Serialize();
    const swl::IniDocument again = swl::IniDocument::Parse(once);
    Check(again.Serialize() == once);
    Check(again.Get(section, key) == doc.Get(section, key));
    Check(again.HasSection(section) == doc.HasSection(section));

    const std::optional<std::string> keptKey = doc.Get(section, otherKey);
    const std::optional<std::string> keptSection = doc.Get(otherSection, key);

    swl::IniDocument edited = doc;
    if (edited.Set(section, key, value)) {
        const swl::IniDocument read = Reparse(edited);
        Check(read.Get(section, key) == ReadForm(value));
        Check(read.Get(section, otherKey) == keptKey);
        Check(read.Get(otherSection, key) == keptSection);
    }

    edited.DeleteKey(section, key);
    {
        const swl::IniDocument read = Reparse(edited);
        Check(!read.Get(section, key).has_value());
        Check(read.Get(section, otherKey) == keptKey);
    }

    edited.EraseSection(section);
    {
        const swl::IniDocument read = Reparse(edited);
        Check(!read.HasSection(section));
        Check(read.Get(otherSection, key) == keptSection);
    }
    return 0;
}
