#include "geometry/taskbar_docking.h"

namespace swl {

Point DockOnShow(Size screen, Size window, const std::optional<TaskbarInfo>& taskbar) {
    Point p{screen.width - window.width, screen.height - window.height};
    if (!taskbar) return p;
    const Rect& t = taskbar->rect;
    switch (taskbar->edge) {
        case kTaskbarLeft: p.x = t.right; break;
        case kTaskbarTop: p.y = t.bottom; break;
        case kTaskbarRight: p.x = t.left - window.width; break;
        case kTaskbarBottom: p.y = t.top - window.height; break;
        default: break;
    }
    return p;
}

std::optional<Point> FollowTaskbar(Rect window, Rect previous, const TaskbarInfo& now) {
    Point p{window.left, window.top};
    const Rect& t = now.rect;
    switch (now.edge) {
        case kTaskbarLeft:
            if (window.left != previous.right) return std::nullopt;
            p.x = t.right;
            break;
        case kTaskbarTop:
            if (window.top != previous.bottom) return std::nullopt;
            p.y = t.bottom;
            break;
        case kTaskbarRight:
            if (window.right != previous.left) return std::nullopt;
            p.x = t.left - window.Width();
            break;
        case kTaskbarBottom:
            if (window.bottom != previous.top) return std::nullopt;
            p.y = t.top - window.Height();
            break;
        default:
            return std::nullopt;
    }
    return p;
}

}  // namespace swl
