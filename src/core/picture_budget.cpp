#include "picture_budget.h"

namespace swl {
namespace {

std::uint64_t HistoryPictureBytes(const THistory& history) {
    std::uint64_t total = 0;
    for (int k = 1; k <= history.CBCount; ++k) {
        const TCBI& item = history.CBItems[static_cast<std::size_t>(k)];
        if (item.Format == kCF_BITMAP && item.Bitmap)
            total += PictureBytes(item.Bitmap->Width(), item.Bitmap->Height());
    }
    return total;
}

}  // namespace

std::uint64_t PictureBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return std::uint64_t(width) * std::uint64_t(height) * 4;
}

bool MakeRoomForPicture(THistory& history, std::uint64_t bytes, std::uint64_t budget) {
    // The new item and its copy in slot 0.
    const std::uint64_t needed = 2 * bytes;
    if (needed > budget) return false;
    std::uint64_t total = HistoryPictureBytes(history);
    int k = 1;
    while (total + needed > budget && k <= history.CBCount) {
        const TCBI& item = history.CBItems[static_cast<std::size_t>(k)];
        if (item.Format == kCF_BITMAP && item.Bitmap) {
            total -= PictureBytes(item.Bitmap->Width(), item.Bitmap->Height());
            history.DeleteItem(k);
        } else {
            ++k;
        }
    }
    return true;
}

}  // namespace swl
