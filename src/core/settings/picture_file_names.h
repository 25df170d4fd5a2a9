// The names of the bitmap files the save writes beside the settings file:
// slot i's picture goes under "CBIii.bmp" or "CBIii-n.bmp" (ii the slot in
// two upper-case hex digits, n from 1 to kBitmapNameChoices - 1). These are
// the only files the program ever deletes: a section of the settings file
// may name any file, and a name that is not of this form is never removed.
#pragma once

#include <string>
#include <string_view>

namespace swl {

inline constexpr int kBitmapNameChoices = 4;

// "CBIii.bmp" for choice 0, "CBIii-<choice>.bmp" otherwise.
std::string BitmapFileName(int slot, int choice);

// Whether the name is one the save could have written, in any letter case
// (the file system compares names without case).
bool IsOwnPictureName(std::string_view name);

// A plain name inside the program's directory: no path, no drive.
bool IsBareFileName(std::string_view name);

// The name as the file system compares it: ASCII letters in lower case.
std::string FoldedName(std::string_view name);

}  // namespace swl
