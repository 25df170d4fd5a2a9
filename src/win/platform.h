// Facts about the running Windows, read once at process start.
#pragma once

namespace swl {

// True on the NT family (the platform identifier from GetVersionExA is
// VER_PLATFORM_WIN32_NT). It picks the wide-character drawing and shell
// calls over their 8-bit fallbacks. The first call reads the version; the
// main block makes that call at start.
bool IsWinNT();

}  // namespace swl
