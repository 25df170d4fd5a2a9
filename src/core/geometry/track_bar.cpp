#include "geometry/track_bar.h"

#include <algorithm>

#include "geometry/muldiv.h"

namespace swl {

int ClampTrackPosition(const TrackBarRange& range, int position) {
    if (range.max < range.min) return range.min;
    return std::clamp(position, range.min, range.max);
}

int TrackPositionForKey(const TrackBarRange& range, int position, TrackBarKey key) {
    const long long p = position;
    long long next = p;
    switch (key) {
        case TrackBarKey::Left:
        case TrackBarKey::Up: next = p - range.line; break;
        case TrackBarKey::Right:
        case TrackBarKey::Down: next = p + range.line; break;
        case TrackBarKey::PageUp: next = p - range.page; break;
        case TrackBarKey::PageDown: next = p + range.page; break;
        case TrackBarKey::Home: next = range.min; break;
        case TrackBarKey::End: next = range.max; break;
    }
    next = std::clamp<long long>(next, range.min, std::max(range.min, range.max));
    return static_cast<int>(next);
}

int TrackPositionForDrag(const TrackBarRange& range, int controlWidth, int x) {
    const int track = controlWidth - 2 * kTrackBarInset;
    if (track <= 0 || range.max <= range.min) return range.min;
    const int offset = std::clamp(x - kTrackBarInset, 0, track);
    return ClampTrackPosition(range, range.min + MulDiv(offset, range.max - range.min, track));
}

int TrackPositionForPageStep(const TrackBarRange& range, int position, int pointerPosition) {
    const int target = ClampTrackPosition(range, pointerPosition);
    const int from = ClampTrackPosition(range, position);
    if (target > from) return std::min(from + range.page, target);
    if (target < from) return std::max(from - range.page, target);
    return from;
}

int TrackThumbCenter(const TrackBarRange& range, int controlWidth, int position) {
    const int track = controlWidth - 2 * kTrackBarInset;
    if (track <= 0 || range.max <= range.min) return kTrackBarInset;
    const int p = ClampTrackPosition(range, position);
    return kTrackBarInset + MulDiv(p - range.min, track, range.max - range.min);
}

int TrackPositionForWheel(const TrackBarRange& range, int position, int notches, int linesPerNotch) {
    const long long step = linesPerNotch < 0 ? range.page : linesPerNotch;
    const long long next = static_cast<long long>(ClampTrackPosition(range, position)) -
                           static_cast<long long>(notches) * step;
    return static_cast<int>(std::clamp<long long>(next, range.min, std::max(range.min, range.max)));
}

}  // namespace swl
