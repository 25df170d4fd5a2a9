// The transparency track bar's position rules: its range, the keyboard steps,
// the thumb drag mapping and the page steps of a click on the track.
#pragma once

namespace swl {

struct TrackBarRange {
    int min = 0;
    int max = 100;
    int line = 1;  // arrow keys
    int page = 5;  // Page Up / Page Down and clicks on the track
};

enum class TrackBarKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

int ClampTrackPosition(const TrackBarRange& range, int position);

// The position a key moves to. Left/Up and Page Up go toward min, as the
// platform's track bar does; Home and End jump to the ends.
int TrackPositionForKey(const TrackBarRange& range, int position, TrackBarKey key);

// Inset of the track at either end of the control.
inline constexpr int kTrackBarInset = 5;

// The position under the pointer's x (client coordinates) while dragging the
// thumb over a control `controlWidth` wide: the track runs from the inset to
// width - inset, rounded to the nearest position and clamped to the range.
int TrackPositionForDrag(const TrackBarRange& range, int controlWidth, int x);

// One step of a press on the track beside the thumb: a page toward
// `pointerPosition`, never past it.
int TrackPositionForPageStep(const TrackBarRange& range, int position, int pointerPosition);

// The x (client coordinates) of the thumb's centre for a position: the
// inverse of the drag mapping, so a press on the thumb's centre keeps the
// position.
int TrackThumbCenter(const TrackBarRange& range, int controlWidth, int position);

// Where the mouse wheel moves the bar: `notches` wheel notches (positive =
// away from the user, toward min), each `linesPerNotch` lines long; a
// negative linesPerNotch means the system scrolls a page per notch.
int TrackPositionForWheel(const TrackBarRange& range, int position, int notches, int linesPerNotch);

}  // namespace swl
