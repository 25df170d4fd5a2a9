// Pictures and their BMP files on Windows: a DdbPicture is saved at its own
// depth through GetDIBits and made from a checked BMP file through SetDIBits,
// and the placeholder for a file that cannot be loaded is drawn here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bmp/bmp_reader.h"
#include "ddb_picture.h"
#include "settings/settings_ports.h"

namespace swl {

inline constexpr int kPlaceholderWidth = 200;
inline constexpr int kPlaceholderHeight = 32;

// A new display-compatible picture holding the image's pixels (a 0 x 0 image
// gives a picture without pixels); null when the size is not kept or the
// system cannot make it.
std::unique_ptr<DdbPicture> DdbFromBmp(const BmpImage& image);

// The BMP file of the picture at the bitmap's own depth (1, 4 and 8 bits
// with their colour table; 16 bits as 5-5-5, 24 and 32 bits as stored);
// a 0 x 0 picture as a file without rows; nothing when the bits cannot be
// had.
std::optional<std::vector<std::uint8_t>> DdbToBmpFile(const DdbPicture& picture);

// 200 x 32 white pixels with text in red bold 10 pt Tahoma at (10, 5),
// clipped to (10, 5)-(150, 30) where DrawTextW is used.
std::unique_ptr<DdbPicture> MakePlaceholderPicture(const std::u16string& text);

class DdbPictureFiles final : public PictureFiles {
public:
    // placeholderText: the text of "msgsavedmiss" in the current language.
    explicit DdbPictureFiles(std::function<std::u16string()> placeholderText)
        : placeholderText_(std::move(placeholderText)) {}

    std::unique_ptr<Picture> FromBmp(const BmpImage& image) override { return DdbFromBmp(image); }
    std::unique_ptr<Picture> MakePlaceholder() override { return MakePlaceholderPicture(placeholderText_()); }
    std::optional<std::vector<std::uint8_t>> ToBmpFile(const Picture& picture) override;

private:
    std::function<std::u16string()> placeholderText_;
};

}  // namespace swl
