// The display picture: copies by drawing, never takes over a bitmap handle
// it is made from, and refuses sizes no capture should take.
#include "ddb_picture.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace swl {
namespace {

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (!dc.Select(bitmap)) return CLR_INVALID;
    return GetPixel(dc.get(), x, y);
}

void Paint(HBITMAP bitmap, int w, int h, COLORREF color) {
    ScreenDC screen;
    MemoryDC dc(screen.get());
    ASSERT_TRUE(dc.Select(bitmap));
    RECT all{0, 0, w, h};
    UniqueBrush brush(CreateSolidBrush(color));
    FillRect(dc.get(), &all, brush.get());
}

TEST(DdbPicture, IsMadeFromABitmapWithoutTakingItOver) {
    ScreenDC screen;
    UniqueBitmap source(CreateCompatibleBitmap(screen.get(), 5, 4));
    Paint(source.get(), 5, 4, RGB(0, 0, 255));
    auto picture = DdbPicture::FromBitmap(source.get());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 5);
    EXPECT_EQ(picture->Height(), 4);
    EXPECT_NE(picture->Handle(), source.get());
    EXPECT_EQ(PixelOf(picture->Handle(), 4, 3), RGB(0, 0, 255));
    picture.reset();
    BITMAP info{};
    EXPECT_EQ(GetObjectW(source.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));  // still alive
}

TEST(DdbPicture, CopiesAreIndependent) {
    auto picture = DdbPicture::Create(3, 2);
    ASSERT_TRUE(picture);
    Paint(picture->Handle(), 3, 2, RGB(255, 0, 0));
    auto copy = picture->Copy();
    ASSERT_TRUE(copy);
    auto* ddb = dynamic_cast<DdbPicture*>(copy.get());
    ASSERT_TRUE(ddb);
    Paint(picture->Handle(), 3, 2, RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(ddb->Handle(), 2, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(picture->Handle(), 2, 1), RGB(0, 255, 0));
}

TEST(DdbPicture, RefusesSizesAndHandlesItCannotCopy) {
    struct Case {
        int w, h;
        bool made;
    };
    const Case cases[] = {
        {0, 0, true}, {-1, 5, false}, {70000, 1, false}, {20000, 20000, false}, {3840, 2160, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        auto picture = DdbPicture::Create(c.w, c.h);
        EXPECT_EQ(picture != nullptr, c.made);
        if (picture) EXPECT_TRUE(picture->Copy());
    }
    // No handle: a picture of 0 x 0 pixels, which copies to one.
    auto none = DdbPicture::FromBitmap(nullptr);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Width(), 0);
    EXPECT_EQ(none->Handle(), nullptr);
    auto copy = none->Copy();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Height(), 0);
    // Not a bitmap at all.
    UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(DdbPicture::FromBitmap(reinterpret_cast<HBITMAP>(brush.get())), nullptr);
}

}  // namespace
}  // namespace swl
