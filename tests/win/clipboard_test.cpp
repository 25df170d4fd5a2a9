// The clipboard accessor and the text blocks it reads and writes.
#include "clipboard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "application.h"
#include "clipboard_blocks.h"
#include "clipboard_holder.h"
#include "ddb_picture.h"
#include "platform.h"
#include "test_support.h"

namespace swl {
namespace {

HGLOBAL Block(const void* data, SIZE_T size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

std::string BlockBytes(HGLOBAL block) {
    std::string bytes(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::EmptyTheClipboard(other.Handle())); }
    void TearDown() override {
        while (clipboard.OpenCount() > 0) clipboard.Close();
    }

    TApplication app;  // the window the accessor opens the clipboard for
    test::MessageWindow other;
    TClipboard& clipboard = TClipboard::Instance();
    const UINT custom = RegisterClipboardFormatA(test::kCustomFormatName);
};

TEST_F(ClipboardTest, OnlyTheOutermostOpenAndCloseReachWindows) {
    clipboard.Open();
    clipboard.Open();
    EXPECT_EQ(GetOpenClipboardWindow(), app.Handle());
    clipboard.Close();
    EXPECT_EQ(GetOpenClipboardWindow(), app.Handle());
    clipboard.Close();
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    clipboard.Close();  // without an open: nothing
    EXPECT_EQ(clipboard.OpenCount(), 0);
}

TEST_F(ClipboardTest, TheFirstWriteOfAnOpenSpanEmptiesTheClipboardAndLaterOnesAdd) {
    {
        ClipboardSpan span(clipboard);
        ASSERT_TRUE(clipboard.SetData(CF_TEXT, Block("one", 4)));
        ASSERT_TRUE(clipboard.SetData(custom, Block("two", 4)));
    }
    EXPECT_TRUE(clipboard.HasFormat(CF_TEXT));
    EXPECT_TRUE(clipboard.HasFormat(custom));
    // A new span starts by emptying again.
    ASSERT_TRUE(clipboard.SetData(custom, Block("three", 6)));
    EXPECT_FALSE(clipboard.HasFormat(CF_TEXT));
    EXPECT_EQ(test::ReadClipboardText(other.Handle()), std::nullopt);
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherProgramCannotBeOpened) {
    ASSERT_TRUE(test::WriteClipboard(other.Handle(), test::ClipboardContent{.unicode = u"kept"}));
    test::ClipboardHolder holder(test::ExeDirectory() + L"cbwriter.exe");
    ASSERT_TRUE(holder.Held());
    try {
        clipboard.Open();
        FAIL() << "opened a clipboard another process holds";
    } catch (const ClipboardError& e) {
        EXPECT_STREQ(e.what(), "Cannot open clipboard");
    }
    EXPECT_EQ(clipboard.OpenCount(), 0);
    EXPECT_THROW(clipboard.Clear(), ClipboardError);
    ClipboardSpan quiet(clipboard, std::nothrow);
    EXPECT_FALSE(quiet.IsOpen());
    EXPECT_EQ(clipboard.OpenCount(), 0);
    ASSERT_TRUE(holder.Release());
    EXPECT_EQ(test::ReadClipboardUnicode(other.Handle()), u"kept");
}

TEST_F(ClipboardTest, APictureGoesOnTheClipboardAsBitmapWithItsPalette) {
    for (bool withPalette : {false, true}) {
        SCOPED_TRACE(withPalette ? "with a palette" : "without a palette");
        auto picture = DdbPicture::Create(4, 3);
        ASSERT_TRUE(picture);
        if (withPalette) {
            LOGPALETTE log{0x300, 1, {{1, 2, 3, 0}}};
            picture->SetPalette(UniquePalette(CreatePalette(&log)));
        }
        ASSERT_TRUE(clipboard.AssignPicture(*picture));
        EXPECT_TRUE(clipboard.HasFormat(CF_BITMAP));
        EXPECT_EQ(clipboard.HasFormat(CF_PALETTE), withPalette);
        auto back = DdbPicture::FromBitmap(static_cast<HBITMAP>(clipboard.GetData(CF_BITMAP)));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Width(), 4);
        EXPECT_EQ(back->Height(), 3);
    }
    // A picture without pixels has no clipboard form; the clipboard is kept.
    auto empty = DdbPicture::Create(0, 0);
    ASSERT_TRUE(empty);
    EXPECT_FALSE(clipboard.AssignPicture(*empty));
    EXPECT_TRUE(clipboard.HasFormat(CF_BITMAP));
    EXPECT_EQ(clipboard.OpenCount(), 0);
}

TEST(ClipboardBlocks, ReadersStopAtTheFirstZeroOrTheBlocksEnd) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string ansi;
    };
    const Case cases[] = {
        {"terminated", std::string("ab\0\0", 4), "ab"},
        {"no closing zero", "xyz", "xyz"},
        {"a zero inside", std::string("a\0b", 3), "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HGLOBAL block = Block(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(ReadAnsiBlock(block), c.ansi);
        GlobalFree(block);
    }
    const std::u16string wide = u"wide text";
    // Without a closing zero unit, and with an odd byte after the last unit.
    std::string bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    bytes.push_back('\x41');
    HGLOBAL block = Block(bytes.data(), bytes.size());
    EXPECT_EQ(ReadWideBlock(block), wide);
    GlobalFree(block);
    const char16_t zeroInside[] = u"ab\0cd";
    block = Block(zeroInside, sizeof(zeroInside));
    EXPECT_EQ(ReadWideBlock(block), u"ab");
    GlobalFree(block);

    EXPECT_EQ(ReadAnsiBlock(nullptr), "");
    EXPECT_EQ(ReadWideBlock(nullptr), u"");
    DWORD value = 7;
    block = Block("ab", 2);
    EXPECT_FALSE(ReadDwordBlock(block, value));  // shorter than a DWORD
    GlobalFree(block);
}

TEST(ClipboardBlocks, WrittenBlocksHoldTheTextAndAClosingZero) {
    struct Case {
        const char* name;
        std::string text;
        std::string block;
    };
    const Case ansi[] = {
        {"plain", "abc", std::string("abc\0", 4)},
        {"empty", "", std::string("\0", 1)},
        {"a zero byte: only what precedes it", std::string("ab\0cd", 5), std::string("ab\0\0\0\0", 6)},
    };
    for (const auto& c : ansi) {
        SCOPED_TRACE(c.name);
        HGLOBAL block = MakeAnsiBlock(c.text);
        ASSERT_TRUE(block);
        EXPECT_EQ(BlockBytes(block), c.block);
        EXPECT_EQ(GlobalFlags(block) & GMEM_DDESHARE, static_cast<UINT>(GMEM_DDESHARE));
        GlobalFree(block);
    }
    const std::u16string wide(u"ab\0cd", 5);  // written whole
    HGLOBAL block = MakeWideBlock(wide);
    ASSERT_TRUE(block);
    const std::string bytes = BlockBytes(block);
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(std::memcmp(bytes.data(), wide.data(), 10), 0);
    EXPECT_EQ(bytes.substr(10), std::string(2, '\0'));
    GlobalFree(block);
}

TEST(Platform, TheNtFamilyIsRecognised) {
    // Wine reports itself as a member of the NT family.
    EXPECT_TRUE(IsWinNT());
}

}  // namespace
}  // namespace swl
