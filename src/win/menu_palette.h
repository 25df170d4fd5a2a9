// The colours of the program's menus: the history and tray menus and the
// quick-paste popup, which is drawn to look like one of them.
#pragma once

#include <windows.h>

namespace swl {

constexpr COLORREF kMenuBack = RGB(255, 255, 255);
constexpr COLORREF kMenuText = RGB(0, 0, 128);  // navy; also the selected item's frame
constexpr COLORREF kMenuSelectedBack = RGB(207, 221, 245);
constexpr COLORREF kMenuSelectedText = RGB(0, 0, 255);
constexpr COLORREF kMenuStripe = RGB(239, 244, 252);  // the pale stripe down the left side
constexpr COLORREF kMenuDisabledText = RGB(140, 174, 232);
constexpr COLORREF kMenuSeparator = RGB(198, 216, 244);
constexpr COLORREF kMenuPictureFrame = RGB(128, 128, 128);  // around a picture or a text preview

}  // namespace swl
