// Global memory blocks of clipboard text: reading what another program put
// on the clipboard (untrusted: never read past the block, which need not end
// in a zero) and making the blocks the program writes.
#pragma once

#include <windows.h>

#include <string>

namespace swl {

class TClipboard;

// The bytes of a CF_TEXT block up to its first zero byte or its end. Empty
// for a null handle or a block that cannot be locked.
std::string ReadAnsiBlock(HANDLE block);
// The UTF-16 units of a CF_UNICODETEXT block up to its first zero unit or
// its end (an odd last byte is not a unit). Empty for a null handle or a
// block that cannot be locked.
std::u16string ReadWideBlock(HANDLE block);
// The DWORD at the start of a block; false when the block is shorter or
// cannot be locked.
bool ReadDwordBlock(HANDLE block, DWORD& value);

// The blocks written for a text item, allocated GMEM_MOVEABLE |
// GMEM_ZEROINIT | GMEM_DDESHARE (0x2042); null when memory cannot be had.
// CF_TEXT: length + 1 bytes holding text up to its first zero byte, the rest
// zero. CF_UNICODETEXT: (length + 1) * 2 bytes holding every unit and a
// closing zero unit.
HGLOBAL MakeAnsiBlock(const std::string& text);
HGLOBAL MakeWideBlock(const std::u16string& text);

// Whether the clipboard's owner marked the content as not for clipboard
// monitors: it holds the registered format
// "ExcludeClipboardContentFromMonitorProcessing" or "Clipboard Viewer
// Ignore", or "CanIncludeInClipboardHistory" holding a zero DWORD.
// Call while the clipboard is open.
bool ClipboardExcludedFromMonitors(TClipboard& clipboard);

}  // namespace swl
