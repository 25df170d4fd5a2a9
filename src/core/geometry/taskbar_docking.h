// Where the main window stands against the taskbar: placed in the screen's
// bottom-right corner and pressed against the taskbar's inner edge when shown,
// then moved along with that edge while the window still touches it.
#pragma once

#include <optional>

#include "geometry/rect.h"

namespace swl {

// The shell's ABE_* edge numbers as ABM_GETTASKBARPOS reports them.
enum TaskbarEdge : unsigned {
    kTaskbarLeft = 0,
    kTaskbarTop = 1,
    kTaskbarRight = 2,
    kTaskbarBottom = 3,
};

struct TaskbarInfo {
    unsigned edge = kTaskbarBottom;  // any other value docks nowhere
    Rect rect;                       // the taskbar window's rectangle
};

// Top-left corner for a window of `window` outer size shown on a screen of
// `screen` size. Without a taskbar (the shell answered 0) the window stays
// in the corner.
Point DockOnShow(Size screen, Size window, const std::optional<TaskbarInfo>& taskbar);

// One following check. `window` is the window's current rectangle, `previous`
// the taskbar rectangle seen last, `now` the taskbar as reported now. Answers
// the new top-left corner when the window touched the previous inner edge on
// the edge reported now, else nothing. The caller remembers now.rect either
// way.
std::optional<Point> FollowTaskbar(Rect window, Rect previous, const TaskbarInfo& now);

}  // namespace swl
