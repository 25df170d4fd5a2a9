// TExplorerBar: the vertically scrolling strip that holds the collapsible
// groups of the link panel and of the notification window. It holds nothing
// but groups and stacks them from the top: ordered by their current top,
// Margin from its edges, Spacing between them, each as wide as the bar allows.
// It re-stacks whenever a group is added, removed, moved, resized, shown,
// hidden, collapsed or expanded, when it is resized or scrolled, and when
// Margin, Spacing or GroupWidth change.
#pragma once

#include <windows.h>

#include <vector>

#include "machines/restack_gate.h"
#include "widgets/child_window.h"
#include "widgets/theme_api.h"

namespace swl {

class TExplorerBarGroup;

enum class ExplorerScrollBar {
    None,       // never shown: groups that do not fit are cut off
    Automatic,  // shown while the stacked groups are taller than the bar
};

class TExplorerBar : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TExplorerBar";
    // The message of the error AddGroup raises for anything but a group.
    static constexpr const char* kNotAGroupMessage = "ExplorerBar doesn't accept controls";

    TExplorerBar();
    ~TExplorerBar() override;

    bool Create(HWND parent, int x, int y, int width, int height, int id = 0);

    // Takes a control into the bar (its window becomes a child of the bar).
    // Only groups are accepted: anything else throws std::invalid_argument
    // with kNotAGroupMessage and leaves both unchanged.
    void AddGroup(ChildWindow& control);
    // Lets a group go (its window stays where it is); the rest re-stack.
    void RemoveGroup(TExplorerBarGroup& group);
    const std::vector<TExplorerBarGroup*>& Groups() const { return groups_; }

    void SetMargin(int margin);
    int Margin() const { return margin_; }
    void SetSpacing(int spacing);
    int Spacing() const { return spacing_; }
    // 0: every group as wide as the client area less both margins.
    void SetGroupWidth(int width);
    int GroupWidth() const { return groupWidth_; }
    // The background without visual styles.
    void SetColor(COLORREF color);
    COLORREF Color() const { return color_; }
    void SetVerticalScrollBar(ExplorerScrollBar mode);
    ExplorerScrollBar VerticalScrollBar() const { return scrollMode_; }

    // While an update is open re-stacking requests are dropped; EndUpdate
    // re-stacks once. Use it while building the groups.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // Asks for a re-stacking. Carried out at once unless the bar is already
    // re-stacking or scrolling (then it is remembered, and a scroll that
    // ends runs it), or has no window, is being updated or destroyed.
    void Restack();

    bool VerticalScrollBarShown() const { return vertShown_; }
    int ScrollPosition() const { return scrollPos_; }
    // Scrolls so that the bar's content starts `position` pixels higher.
    void ScrollTo(int position);

    // True while the bar paints with the system's visual styles.
    bool Themed() const { return static_cast<bool>(theme_); }
    // Paints the bar's background into dc at client coordinates.
    void PaintTo(HDC dc);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Ready() const;
    void DoRestack();
    // Shows or hides the vertical scroll bar for content `contentHeight`
    // pixels tall; answers the scroll position afterwards.
    int UpdateScrollBar(int contentHeight, int clientHeight);
    void OnVScroll(int code);
    RECT GroupBounds(const TExplorerBarGroup& group) const;

    int margin_ = 4;
    int spacing_ = 8;
    int groupWidth_ = 0;
    COLORREF color_;
    ExplorerScrollBar scrollMode_ = ExplorerScrollBar::Automatic;
    int updating_ = 0;
    bool destroying_ = false;
    bool vertShown_ = false;
    int scrollPos_ = 0;
    int contentHeight_ = 0;

    std::vector<TExplorerBarGroup*> groups_;  // not owned; in insertion order
    RestackGate gate_;
    WindowTheme theme_{L"EXPLORERBAR"};
};

}  // namespace swl
