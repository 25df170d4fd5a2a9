// How much memory the history's pictures may take together. The history
// holds up to 24 pictures of up to 256 MB each, far more than a 32-bit
// process has room for (under Wine the pixels live in its own addresses
// too). Past the budget, the oldest pictures leave the history to make room
// for a new one, so that copies go on being recorded, texts included,
// instead of failing for want of memory. At 32 bits the budget leaves
// about half of the 2 GB of addresses to the program, the clipboard's own
// copies and the save's files.
#pragma once

#include <cstdint>

#include "history.h"

namespace swl {

inline constexpr std::uint64_t kPictureBudgetBytes =
    sizeof(void*) >= 8 ? std::uint64_t{4} << 30 : std::uint64_t{1} << 30;

// What a picture of that size takes, counted at 4 bytes a pixel (the
// display's depth).
std::uint64_t PictureBytes(int width, int height);

// Drops the oldest picture items (texts stay) until the history's pictures
// and one more of `bytes`, with the copy of it the clipboard mirror keeps,
// fit in `budget`. False when even without any of them it would not fit.
bool MakeRoomForPicture(THistory& history, std::uint64_t bytes, std::uint64_t budget = kPictureBudgetBytes);

}  // namespace swl
