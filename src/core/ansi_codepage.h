// Conversions between 8-bit texts in the ANSI code page and wide texts.
// On Windows the implementation uses the thread's ANSI code page; the core
// and its tests use a fixed single-byte table.
#pragma once

#include <string>
#include <string_view>

namespace swl {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // Characters the code page cannot hold are lost (replaced by the code
    // page's default character).
    virtual std::u16string ToWide(std::string_view ansi) const = 0;
    virtual std::string ToAnsi(std::u16string_view wide) const = 0;
};

// Windows-1252 as a fixed table: what a Western European system uses, and a
// deterministic stand-in for the thread's code page in tests. Unmappable
// characters become '?'.
class Cp1252CodePage final : public AnsiCodePage {
public:
    std::u16string ToWide(std::string_view ansi) const override;
    std::string ToAnsi(std::u16string_view wide) const override;
};

// Widens plain ASCII (each byte keeps its value).
std::u16string WidenAscii(std::string_view ascii);

}  // namespace swl
