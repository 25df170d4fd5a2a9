// The thread's ANSI code page, through WideCharToMultiByte and
// MultiByteToWideChar.
#pragma once

#include "ansi_codepage.h"

namespace swl {

class WinAnsiCodePage final : public AnsiCodePage {
public:
    std::u16string ToWide(std::string_view ansi) const override;
    std::string ToAnsi(std::u16string_view wide) const override;
};

}  // namespace swl
