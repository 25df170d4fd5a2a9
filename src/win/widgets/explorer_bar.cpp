#include "widgets/explorer_bar.h"

#include <algorithm>
#include <stdexcept>

#include "geometry/explorer_bar_layout.h"
#include "widgets/explorer_bar_group.h"

namespace swl {
namespace {

constexpr int kLineStep = 8;        // one click on a scroll arrow
constexpr int kWheelNotchStep = 24; // one notch of the mouse wheel

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

bool HasStyle(HWND window, LONG_PTR style) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & style) != 0;
}

// Ends a re-stacking also when moving the groups throws.
class RestackScope {
public:
    explicit RestackScope(RestackGate& gate) : gate_(gate) { gate_.BeginRestack(); }
    ~RestackScope() { gate_.EndRestack(); }
    RestackScope(const RestackScope&) = delete;
    RestackScope& operator=(const RestackScope&) = delete;

private:
    RestackGate& gate_;
};

}  // namespace

TExplorerBar::TExplorerBar() : color_(GetSysColor(COLOR_BTNFACE)) {}

TExplorerBar::~TExplorerBar() {
    destroying_ = true;
    for (TExplorerBarGroup* group : groups_) group->DetachFromBar();
    groups_.clear();
    if (Handle()) DestroyWindow(Handle());
}

bool TExplorerBar::Create(HWND parent, int x, int y, int width, int height, int id) {
    RegisterWidgetClass(kClassName);
    if (!CreateChild(kClassName, parent, x, y, width, height,
                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                     id))
        return false;
    Restack();
    return true;
}

void TExplorerBar::AddGroup(ChildWindow& control) {
    auto* group = dynamic_cast<TExplorerBarGroup*>(&control);
    if (!group) throw std::invalid_argument(kNotAGroupMessage);
    if (group->bar_ == this) return;
    if (group->bar_) group->bar_->RemoveGroup(*group);
    groups_.push_back(group);
    group->bar_ = this;
    if (Handle() && group->Handle() && GetParent(group->Handle()) != Handle())
        SetParent(group->Handle(), Handle());
    // Inside a bar the theme's buttons size the strip.
    group->CaptionChanged();
    Restack();
}

void TExplorerBar::RemoveGroup(TExplorerBarGroup& group) {
    auto it = std::find(groups_.begin(), groups_.end(), &group);
    if (it == groups_.end()) return;
    groups_.erase(it);
    group.bar_ = nullptr;
    Restack();
}

void TExplorerBar::SetMargin(int margin) {
    if (margin_ == margin) return;
    margin_ = margin;
    Restack();
}

void TExplorerBar::SetSpacing(int spacing) {
    if (spacing_ == spacing) return;
    spacing_ = spacing;
    Restack();
}

void TExplorerBar::SetGroupWidth(int width) {
    if (groupWidth_ == width) return;
    groupWidth_ = width;
    Restack();
}

void TExplorerBar::SetColor(COLORREF color) {
    color_ = color;
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TExplorerBar::SetVerticalScrollBar(ExplorerScrollBar mode) {
    if (scrollMode_ == mode) return;
    scrollMode_ = mode;
    Restack();
}

void TExplorerBar::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) Restack();
}

bool TExplorerBar::Ready() const { return Handle() && !destroying_ && updating_ == 0; }

void TExplorerBar::Restack() {
    if (gate_.Request(Ready()) != RestackGate::Outcome::Run) return;
    RestackScope scope(gate_);
    DoRestack();
}

RECT TExplorerBar::GroupBounds(const TExplorerBarGroup& group) const {
    RECT r{};
    GetWindowRect(group.Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TExplorerBar::UpdateScrollBar(int contentHeight, int clientHeight) {
    const bool want = scrollMode_ == ExplorerScrollBar::Automatic && contentHeight > clientHeight;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (want) {
        info.nMin = 0;
        info.nMax = contentHeight - 1;
        info.nPage = static_cast<UINT>(std::max(clientHeight, 0));
        info.nPos = scrollPos_;
        // Showing the bar narrows the client area; its height stays.
        if (!HasStyle(Handle(), WS_VSCROLL)) ShowScrollBar(Handle(), SB_VERT, TRUE);
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
        info.fMask = SIF_POS;
        GetScrollInfo(Handle(), SB_VERT, &info);
        scrollPos_ = std::clamp(static_cast<int>(info.nPos), 0, contentHeight - clientHeight);
    } else {
        scrollPos_ = 0;
        if (HasStyle(Handle(), WS_VSCROLL)) {
            SetScrollInfo(Handle(), SB_VERT, &info, FALSE);  // all zero: empty range
            ShowScrollBar(Handle(), SB_VERT, FALSE);
        }
    }
    vertShown_ = HasStyle(Handle(), WS_VSCROLL);
    return scrollPos_;
}

void TExplorerBar::DoRestack() {
    std::vector<TExplorerBarGroup*> placed;
    std::vector<ExplorerBarGroupBox> boxes;
    placed.reserve(groups_.size());
    boxes.reserve(groups_.size());
    for (TExplorerBarGroup* group : groups_) {
        if (!group->Handle()) continue;
        const RECT r = GroupBounds(*group);
        placed.push_back(group);
        boxes.push_back({static_cast<int>(r.top), static_cast<int>(r.bottom - r.top),
                         group->Shown()});
    }

    RECT client{};
    GetClientRect(Handle(), &client);
    ExplorerBarMetrics metrics;
    metrics.margin = margin_;
    metrics.spacing = spacing_;
    metrics.groupWidth = groupWidth_;
    metrics.clientWidth = static_cast<int>(client.right);
    // The groups' heights do not depend on their width, so the column's
    // height is known before the scroll bar is settled.
    contentHeight_ = ExplorerStackHeight(metrics, boxes);
    metrics.scrollY = UpdateScrollBar(contentHeight_, static_cast<int>(client.bottom));
    GetClientRect(Handle(), &client);
    metrics.clientWidth = static_cast<int>(client.right);
    // There is no horizontal scrolling: the groups follow the bar's width,
    // and a fixed GroupWidth wider than the bar is cut off at the right.
    metrics.scrollX = 0;

    const std::vector<Rect> bounds = StackExplorerGroups(metrics, boxes);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const RECT now = GroupBounds(*placed[i]);
        const Rect& r = bounds[i];
        if (now.left == r.left && now.top == r.top && now.right == r.right && now.bottom == r.bottom)
            continue;
        SetWindowPos(placed[i]->Handle(), nullptr, r.left, r.top, r.Width(), r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TExplorerBar::ScrollTo(int position) {
    if (!Handle() || !vertShown_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const int target =
        std::clamp(position, 0, std::max(contentHeight_ - static_cast<int>(client.bottom), 0));
    if (target == scrollPos_) return;

    gate_.BeginScroll();
    const int delta = scrollPos_ - target;  // the groups move down by this
    scrollPos_ = target;
    SetScrollPos(Handle(), SB_VERT, target, TRUE);
    for (TExplorerBarGroup* group : groups_) {
        if (!group->Handle()) continue;
        const RECT r = GroupBounds(*group);
        // The groups' own re-stacking requests are remembered meanwhile.
        SetWindowPos(group->Handle(), nullptr, r.left, r.top + delta, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
    if (gate_.EndScroll()) Restack();
}

void TExplorerBar::OnVScroll(int code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(Handle(), SB_VERT, &info)) return;
    int position = scrollPos_;
    const int page = static_cast<int>(info.nPage);
    switch (code) {
        case SB_LINEUP: position -= kLineStep; break;
        case SB_LINEDOWN: position += kLineStep; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = contentHeight_; break;
        default: return;
    }
    ScrollTo(position);
}

void TExplorerBar::PaintTo(HDC dc) {
    if (!Handle()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    if (theme_)
        ThemeApi::Get().DrawBackground(theme_.Get(), dc, 0, 0, client);
    else
        FillSolid(dc, client, color_);
}

LRESULT TExplorerBar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            theme_.Refresh(Handle());
            return 0;
        case WM_DESTROY:
            destroying_ = true;
            theme_.Close();
            return 0;
        case WM_THEMECHANGED:
            theme_.Refresh(Handle());
            InvalidateRect(Handle(), nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            if (dc) PaintTo(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTo(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            Restack();
            return 0;
        case WM_VSCROLL:
            OnVScroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam);
            ScrollTo(scrollPos_ - notches * kWheelNotchStep / WHEEL_DELTA);
            return 0;
        }
        default:
            return ChildWindow::HandleMessage(msg, wParam, lParam);
    }
}

}  // namespace swl
