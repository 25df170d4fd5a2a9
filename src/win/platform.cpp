#include "platform.h"

#include <windows.h>

namespace swl {

bool IsWinNT() {
    static const bool nt = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
        return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

}  // namespace swl
