#include "settings/ddb_bmp_files.h"

#include <windows.h>

#include <cstring>

#include "bmp/bmp_writer.h"
#include "gdi_handles.h"
#include "platform.h"
#include "wide_text.h"
#include "widgets/gdi_text_measurer.h"

namespace swl {

std::unique_ptr<DdbPicture> DdbFromBmp(const BmpImage& image) {
    auto picture = DdbPicture::Create(image.width, image.height);
    if (!picture) return nullptr;
    if (!picture->Handle()) return picture;  // 0 x 0: no pixels to set
    // The header is rebuilt from the checked values; the rows were checked
    // to lie inside the file, height * stride bytes of them.
    std::vector<std::uint8_t> info = BitmapInfoBytes(image);
    ScreenDC screen;
    if (!screen.get()) return nullptr;
    const int lines = SetDIBits(screen.get(), picture->Handle(), 0, static_cast<UINT>(image.height),
                                image.pixels.data(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                                DIB_RGB_COLORS);
    if (lines != image.height) return nullptr;
    return picture;
}

std::optional<std::vector<std::uint8_t>> DdbToBmpFile(const DdbPicture& picture) {
    HBITMAP bitmap = picture.Handle();
    if (!bitmap) {
        // A picture without pixels (a clipboard bitmap that could not be
        // had) is kept as a file without rows; any other size needs a bitmap.
        if (picture.Width() != 0 || picture.Height() != 0) return std::nullopt;
        BmpWriteInput empty;
        empty.width = 0;
        empty.height = 0;
        empty.bitsPerPixel = 32;
        return WriteBmp(empty);
    }
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) return std::nullopt;
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) bits = 32;
    const int width = picture.Width(), height = picture.Height();
    const std::size_t stride = BmpStride(width, bits);
    if (stride == 0 || !PictureSizeKept(width, height)) return std::nullopt;

    // A BITMAPINFO with room for 256 colours.
    std::vector<std::uint8_t> infoBytes(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(infoBytes.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;  // bottom-up, as the file keeps them
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bits);
    info->bmiHeader.biCompression = BI_RGB;

    ScreenDC screen;
    if (!screen.get()) return std::nullopt;
    BmpWriteInput input;
    input.width = width;
    input.height = height;
    input.bitsPerPixel = bits;
    if (bits > 8) {
        // No colour table: the rows go straight into the file, so a large
        // picture is neither held twice nor copied.
        std::optional<std::vector<std::uint8_t>> file;
        try {
            file = BmpFileForRows(input);
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        if (!file || GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), file->data() + RowsOffset(input),
                               info, DIB_RGB_COLORS) != height)
            return std::nullopt;
        return file;
    }

    std::vector<std::uint8_t> rows;
    try {
        rows.resize(stride * static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), rows.data(), info, DIB_RGB_COLORS) != height)
        return std::nullopt;

    std::vector<std::uint32_t> colours;
    if (bits <= 8) {
        const int count = info->bmiHeader.biClrUsed ? static_cast<int>(info->bmiHeader.biClrUsed) : 1 << bits;
        for (int i = 0; i < count && i < 256; ++i) {
            const RGBQUAD q = info->bmiColors[i];
            colours.push_back((std::uint32_t(q.rgbRed) << 16) | (std::uint32_t(q.rgbGreen) << 8) | q.rgbBlue);
        }
    }
    input.colours = colours;
    input.rows = rows;
    return WriteBmp(input);
}

std::unique_ptr<DdbPicture> MakePlaceholderPicture(const std::u16string& text) {
    auto picture = DdbPicture::Create(kPlaceholderWidth, kPlaceholderHeight);
    if (!picture || !picture->Handle()) return nullptr;
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (!dc.Select(picture->Handle())) return nullptr;
    RECT all{0, 0, kPlaceholderWidth, kPlaceholderHeight};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    const LOGFONTW bold = InterfaceFont(10, true);
    UniqueFont font(CreateFontIndirectW(&bold));
    HGDIOBJ oldFont = font.get() ? SelectObject(dc.get(), font.get()) : nullptr;
    SetTextColor(dc.get(), RGB(255, 0, 0));
    SetBkColor(dc.get(), RGB(255, 255, 255));
    SetBkMode(dc.get(), OPAQUE);
    const wchar_t* wide = Wide(text);
    if (IsWinNT()) {
        RECT box{10, 5, 150, 30};
        DrawTextW(dc.get(), wide, static_cast<int>(text.size()), &box, 0);
    } else {
        TextOutW(dc.get(), 10, 5, wide, static_cast<int>(text.size()));
    }
    if (oldFont) SelectObject(dc.get(), oldFont);
    return picture;
}

std::optional<std::vector<std::uint8_t>> DdbPictureFiles::ToBmpFile(const Picture& picture) {
    const auto* ddb = dynamic_cast<const DdbPicture*>(&picture);
    if (!ddb) return std::nullopt;
    return DdbToBmpFile(*ddb);
}

}  // namespace swl
