// The settings file as a document in memory, read and written the way the
// Windows profile functions (GetPrivateProfileStringA and
// WritePrivateProfileStringA) read and write such files, so that either side
// can read what the other wrote.
//
// Reading a file:
// - lines end with CR LF or a lone LF; a last line without a break counts;
// - a line whose first non-blank character is "[" starts a section; the name
//   runs to the first "]" (or the end of the line) and is trimmed of blanks;
//   text after the "]" is ignored;
// - inside a section a line that holds "=" is a key: the name is the text
//   before the first "=", the value the text after it, both trimmed of blanks;
// - a line whose first non-blank character is ";" is a comment; lines before
//   the first section and lines without "=" are ignored. All of these are kept
//   as they are when the document is written again;
// - blanks are spaces, tabs and vertical tabs, as the platform trims them;
// - section and key names compare case-insensitively (ASCII letters), and the
//   first section of a name, and the first key of a name in it, is the one
//   read and changed.
//
// A value read loses one pair of matching quotes (double or single) that
// surround it. Values are written as given, so a value that begins or ends
// with blanks, or that is wrapped in a pair of quotes, reads back without
// them, here and on the platform alike; the program writes only decimal
// numbers, file names and codec text, which have neither.
//
// Writing: every line ends with CR LF. A new key goes after the last key of
// its section (right after the header when the section has none); a new
// section goes at the end of the document as "[name]" CR LF "key=value" CR LF,
// with no blank line before it, as the platform writes it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace swl {

class IniDocument {
public:
    IniDocument() = default;
    static IniDocument Parse(std::string_view bytes);

    // The whole value of a key, however long; nothing when the section or key
    // is not there. Names given are trimmed of blanks first, as the platform
    // does with its arguments.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value, or def when there is none.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;
    bool HasSection(std::string_view section) const;
    // The name of every section, in the order of the file; a name that
    // appears twice is listed twice.
    std::vector<std::string> SectionNames() const;

    // Replaces the value of the key in place, or adds the key (and the
    // section). Returns false, changing nothing, for names or values the file
    // cannot hold: a line break anywhere, a section name with "]", a key that
    // is empty, holds "=" or begins with ";" or "[".
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in the first section of that name. A
    // missing key or section is no error.
    void DeleteKey(std::string_view section, std::string_view key);
    // Removes the header and the keys of every section of that name; comments
    // and other lines inside it stay where they are. Erasing every copy (the
    // platform erases the first) means the section reads as missing
    // afterwards even in a file that holds it twice.
    void EraseSection(std::string_view section);

    // The document as file bytes, each line ended by CR LF.
    std::string Serialize() const;

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        std::string text;  // the line as it stands, without its line break
        Kind kind = Kind::Other;
        // Section: the name; Key: the name and the trimmed value (quotes
        // kept), as offsets into text.
        std::size_t nameBegin = 0, nameSize = 0;
        std::size_t valueBegin = 0, valueSize = 0;
        std::string_view Name() const;
        std::string_view RawValue() const;
    };

    static Line ClassifyLine(std::string text, bool inSection);
    static Line MakeKeyLine(std::string_view key, std::string_view value);
    static Line MakeSectionLine(std::string_view section);

    // Index of the header of the first section of that name, or npos.
    std::size_t FindSection(std::string_view name) const;
    // One past the last line of the section whose header is at index h.
    std::size_t SectionEnd(std::size_t h) const;
    std::size_t FindKey(std::size_t h, std::string_view key) const;

    std::vector<Line> lines_;
};

}  // namespace swl
