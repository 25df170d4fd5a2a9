// TTrackBar: the program's own horizontal track bar (the transparency bar on
// the Settings page). Flat, drawn in the button face colour with black line
// borders, a box thumb and a tick for every position; a tooltip shows its
// hint. Keys, thumb drags and presses on the track raise OnChanging with the
// new position first; the handler may refuse it. The wheel moves the bar
// without asking. OnChange follows every change made by input. Screen
// readers see a slider whose value is the position.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "accessible.h"
#include "geometry/track_bar.h"
#include "widgets/child_window.h"

namespace swl {

class TTrackBar : public ChildWindow, private AccessibleSource {
public:
    static constexpr const wchar_t* kClassName = L"TTrackBar";
    static constexpr int kDefaultWidth = 100;
    static constexpr int kDefaultHeight = 25;
    // Half the thumb's width; the thumb spans centre - 5 to centre + 5.
    static constexpr int kThumbHalfWidth = 5;

    TTrackBar() = default;
    ~TTrackBar() override;

    // Creates the window (a tab stop); the position set before is kept.
    bool Create(HWND parent, int x, int y, int width = kDefaultWidth, int height = kDefaultHeight, int id = 0);

    // Setting the position directly raises no event; it is kept in range.
    int Position() const { return position_; }
    void SetPosition(int position);
    const TrackBarRange& Range() const { return range_; }

    // The tooltip's text; empty means no tooltip.
    void SetHint(std::u16string hint);
    const std::u16string& Hint() const { return hint_; }
    HWND ToolTip() const { return tooltip_; }

    // What screen readers call the bar (the label beside it says it).
    void SetAccessibleName(std::u16string name) { accessibleName_ = std::move(name); }

    // The thumb's rectangle in client coordinates.
    RECT ThumbRect() const;

    std::function<void(int newPosition, bool& allow)> OnChanging;
    std::function<void()> OnChange;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Tracking { None, Thumb, Page };
    static constexpr UINT_PTR kRepeatTimer = 1;

    int ClientWidth() const;
    // Asks OnChanging, then takes the position; false when refused or equal.
    bool ChangeTo(int position);
    void Taken(int position);
    void PageStepTowardPointer();
    void StopTracking();
    void Paint(HDC dc);
    void UpdateToolTip();
    bool DescribeAccessible(int child, AccessibleElement& element) const override;
    int AccessibleFocus() const override;

    TrackBarRange range_{};
    int position_ = 0;
    std::u16string hint_;
    HWND tooltip_ = nullptr;
    Tracking tracking_ = Tracking::None;
    int pageTarget_ = 0;
    int wheelRemainder_ = 0;
    std::u16string accessibleName_;
    AccessibleHost accessible_{*this};
};

}  // namespace swl
