#include "history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "memory_picture.h"

namespace swl {
namespace {

// Keeps the list lines and the bar state the store drives, and a log of the
// calls so a test can see exactly what one operation did to the displays.
class RecordingView final : public HistoryView {
public:
    std::vector<std::u16string> lines;
    int lightValue = -1;
    std::u16string lightText;
    std::vector<std::string> log;

    void AddLine(const std::u16string& text) override {
        lines.push_back(text);
        log.push_back("add");
    }
    void DeleteLine(int index) override {
        log.push_back("delete " + std::to_string(index));
        if (index < 0 || index >= static_cast<int>(lines.size())) {
            ADD_FAILURE() << "DeleteLine(" << index << ") with " << lines.size() << " lines";
            return;
        }
        lines.erase(lines.begin() + index);
    }
    void DeleteAllLines() override {
        lines.clear();
        log.push_back("delete all");
    }
    void SetLightValue(int value) override {
        lightValue = value;
        log.push_back("value " + std::to_string(value));
    }
    void SetLightText(const std::u16string& text) override {
        lightText = text;
        log.push_back("text " + std::string(text.begin(), text.end()));
    }
};

TCBI TextItem(const std::string& text) {
    Cp1252CodePage cp;
    TCBI item;
    item.Format = kCF_TEXT;
    item.FormatName = "CF_TEXT";
    item.Text = text;
    item.WText = cp.ToWide(text);
    return item;
}

TCBI PictureItem(int width, int height, std::uint32_t fill) {
    TCBI item;
    item.Format = kCF_BITMAP;
    item.FormatName = "CF_BITMAP";
    item.Text = "Bitmap";
    item.Bitmap = std::make_unique<MemoryPicture>(width, height, fill);
    return item;
}

const MemoryPicture* PictureOf(const TCBI& item) {
    return dynamic_cast<const MemoryPicture*>(item.Bitmap.get());
}

bool IsEmptyRecord(const TCBI& item) {
    return item.Format == 0 && item.FormatName.empty() && !item.Bitmap && item.Text.empty() &&
           item.WText.empty();
}

class HistoryTest : public ::testing::Test {
protected:
    // A capture the way the clipboard monitor stores one: reserve, show the
    // count, fill the new slot, add its line, mirror it into slot 0.
    void Capture(const TCBI& content) {
        history.ReserveSlot();
        history.ShowCountText();
        THistory::CopyItem(history.CBItems[history.CBCount], content);
        history.AddNewestLine();
        THistory::CopyItem(history.CBItems[0], history.CBItems[history.CBCount]);
    }

    void CaptureTexts(int from, int to) {
        for (int i = from; i <= to; ++i) Capture(TextItem("item " + std::to_string(i)));
    }

    // Checks the slots and both displays against the texts the history
    // should hold, oldest first.
    void ExpectHolds(const std::deque<std::string>& texts) {
        const int n = static_cast<int>(texts.size());
        ASSERT_EQ(history.CBCount, n);
        ASSERT_EQ(view.lines.size(), texts.size());
        for (int i = 0; i < n; ++i) {
            const TCBI& slot = history.CBItems[i + 1];
            EXPECT_EQ(slot.Text, texts[i]) << "slot " << i + 1;
            EXPECT_EQ(view.lines[i], std::u16string(texts[i].begin(), texts[i].end()))
                << "line " << i;
        }
        for (int s = n + 1; s < kSlotCount; ++s)
            EXPECT_TRUE(IsEmptyRecord(history.CBItems[s])) << "slot " << s;
        EXPECT_EQ(view.lightValue, n);
        const std::string count = std::to_string(n) + "/24";
        EXPECT_EQ(view.lightText, std::u16string(count.begin(), count.end()));
    }

    RecordingView view;
    Cp1252CodePage cp;
    THistory history{view, cp};
};

TEST_F(HistoryTest, CapturesFillSlotsOldestFirstAndMirrorTheNewest) {
    CaptureTexts(1, 3);
    ExpectHolds({"item 1", "item 2", "item 3"});
    EXPECT_EQ(history.CBItems[0].Text, "item 3");
    EXPECT_EQ(history.CBItems[0].WText, u"item 3");
    EXPECT_EQ(history.CBItems[0].FormatName, "CF_TEXT");
}

TEST_F(HistoryTest, TwentyFifthCaptureDropsTheOldest) {
    CaptureTexts(1, 24);
    view.log.clear();
    Capture(TextItem("item 25"));

    // The top line goes before the bar counts the new item.
    const std::vector<std::string> expected = {"delete 0", "value 24", "text 24/24", "add"};
    EXPECT_EQ(view.log, expected);
    std::deque<std::string> texts;
    for (int i = 2; i <= 25; ++i) texts.push_back("item " + std::to_string(i));
    ExpectHolds(texts);
    EXPECT_EQ(history.CBItems[0].Text, "item 25");
}

TEST_F(HistoryTest, FullHistoryMovesPicturesWithTheirItems) {
    for (int i = 1; i <= 24; ++i) Capture(PictureItem(2, 1, static_cast<std::uint32_t>(i)));
    Capture(PictureItem(2, 1, 25));
    for (int s = 1; s <= 24; ++s) {
        const MemoryPicture* p = PictureOf(history.CBItems[s]);
        ASSERT_NE(p, nullptr) << "slot " << s;
        EXPECT_EQ(p->Pixel(1, 0), static_cast<std::uint32_t>(s + 1)) << "slot " << s;
    }
    EXPECT_TRUE(IsEmptyRecord(history.CBItems[25]));
}

TEST_F(HistoryTest, DeleteThenCaptureInFullHistoryDropsNothingUntilFullAgain) {
    CaptureTexts(1, 24);
    history.DeleteItem(5);
    view.log.clear();
    Capture(TextItem("item 25"));
    EXPECT_EQ(view.log.front(), "value 24");  // no line deleted

    std::deque<std::string> texts;
    for (int i = 1; i <= 25; ++i)
        if (i != 5) texts.push_back("item " + std::to_string(i));
    ExpectHolds(texts);

    Capture(TextItem("item 26"));
    texts.pop_front();
    texts.push_back("item 26");
    ExpectHolds(texts);
}

struct DeleteCase {
    const char* name;
    int k;
    std::deque<std::string> left;
};

TEST_F(HistoryTest, DeleteItemClosesTheGap) {
    const DeleteCase cases[] = {
        {"oldest", 1, {"item 2", "item 3", "item 4"}},
        {"middle", 2, {"item 1", "item 3", "item 4"}},
        {"newest", 4, {"item 1", "item 2", "item 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        history.ClearItems();
        CaptureTexts(1, 4);
        view.log.clear();
        history.DeleteItem(c.k);
        const std::vector<std::string> expected = {"value 3", "text 3/24",
                                                   "delete " + std::to_string(c.k - 1)};
        EXPECT_EQ(view.log, expected);
        ExpectHolds(c.left);
        EXPECT_EQ(history.CBItems[0].Text, "item 4");  // the mirror stays
    }
}

TEST_F(HistoryTest, DeletingTheNewestLeavesTheOtherRecordsInPlace) {
    for (int i = 1; i <= 3; ++i) Capture(PictureItem(1, 1, static_cast<std::uint32_t>(i)));
    const Picture* first = history.CBItems[1].Bitmap.get();
    const Picture* second = history.CBItems[2].Bitmap.get();
    history.DeleteItem(3);
    EXPECT_EQ(history.CBItems[1].Bitmap.get(), first);
    EXPECT_EQ(history.CBItems[2].Bitmap.get(), second);
    EXPECT_TRUE(IsEmptyRecord(history.CBItems[3]));
    EXPECT_EQ(history.CBCount, 2);
}

TEST_F(HistoryTest, DeletingTheOnlyItemKeepsTheMirror) {
    Capture(PictureItem(3, 2, 7));
    history.DeleteItem(1);
    ExpectHolds({});
    EXPECT_EQ(view.lightText, u"0/24");
    EXPECT_EQ(history.CBItems[0].Format, kCF_BITMAP);
    ASSERT_NE(PictureOf(history.CBItems[0]), nullptr);
    EXPECT_EQ(PictureOf(history.CBItems[0])->Pixel(2, 1), 7u);
}

TEST_F(HistoryTest, DeleteItemOutsideTheHistoryDoesNothing) {
    history.DeleteItem(1);  // empty history
    EXPECT_TRUE(view.log.empty());

    CaptureTexts(1, 3);
    view.log.clear();
    for (int k : {0, -1, 4, 24, 25, INT_MIN, INT_MAX}) {
        history.DeleteItem(k);
        EXPECT_TRUE(view.log.empty()) << "k = " << k;
    }
    ExpectHolds({"item 1", "item 2", "item 3"});
}

TEST_F(HistoryTest, DropOldestOfAnEmptyHistoryDoesNothing) {
    history.DropOldest();
    EXPECT_EQ(history.CBCount, 0);
    EXPECT_TRUE(view.log.empty());
}

TEST_F(HistoryTest, ClearItemsEmptiesEverySlotIncludingTheMirror) {
    Capture(TextItem("text"));
    Capture(PictureItem(4, 4, 1));
    history.ClearItems();
    for (int s = 0; s < kSlotCount; ++s)
        EXPECT_TRUE(IsEmptyRecord(history.CBItems[s])) << "slot " << s;
    ExpectHolds({});
    EXPECT_EQ(view.lightText, u"0/24");
}

struct LineCase {
    const char* name;
    TCBI item;
    std::u16string line;
};

TEST_F(HistoryTest, ListLineShowsTheFirstHundredBytesOfText) {
    std::vector<LineCase> cases;
    cases.push_back({"long text is cut", TextItem(std::string(100, 'a') + "tail"),
                     std::u16string(100, u'a')});
    cases.push_back({"exactly 100", TextItem(std::string(100, 'b')), std::u16string(100, u'b')});
    cases.push_back({"short", TextItem("short"), u"short"});
    cases.push_back({"through the code page", TextItem("caf\xE9 \x80"), u"caf\u00E9 \u20AC"});
    cases.push_back({"picture", PictureItem(1, 1, 0), u"Bitmap"});
    TCBI wide;
    wide.Format = kCF_UNICODETEXT;
    wide.FormatName = "CF_UNICODETEXT";
    wide.WText = u"Xem t\u1EA5t c\u1EA3";
    wide.Text = cp.ToAnsi(wide.WText);
    cases.push_back({"unicode item shows its ANSI text", std::move(wide), u"Xem t?t c?"});

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        history.ClearItems();
        Capture(c.item);
        ASSERT_EQ(view.lines.size(), 1u);
        EXPECT_EQ(view.lines[0], c.line);
    }
}

TEST_F(HistoryTest, ListAndSlotsAgreeThroughAnyMixOfOperations) {
    std::mt19937 random(20050420);
    std::deque<std::string> model;
    int next = 1;
    for (int step = 0; step < 400; ++step) {
        const int op = static_cast<int>(random() % 10);
        if (op < 7) {
            const std::string text = "item " + std::to_string(next++);
            Capture(TextItem(text));
            model.push_back(text);
            if (model.size() > 24) model.pop_front();
        } else if (op < 9) {
            const int k = static_cast<int>(random() % 26);  // sometimes outside 1..CBCount
            history.DeleteItem(k);
            if (k >= 1 && k <= static_cast<int>(model.size())) model.erase(model.begin() + (k - 1));
        } else if (random() % 4 == 0) {
            history.ClearItems();
            model.clear();
        }
        ASSERT_NO_FATAL_FAILURE(ExpectHolds(model)) << "step " << step;
        if (HasFailure()) return;
    }
}

// CopyItem on its own, with records held outside the array.

TEST(CopyItem, MakesAnIndependentCopyOfThePicture) {
    TCBI src = PictureItem(3, 2, 0x00112233);
    static_cast<MemoryPicture*>(src.Bitmap.get())->SetPixel(2, 1, 0xFFu);
    TCBI dest = TextItem("old");
    ASSERT_TRUE(THistory::CopyItem(dest, src));

    EXPECT_EQ(dest.Format, kCF_BITMAP);
    EXPECT_EQ(dest.FormatName, "CF_BITMAP");
    EXPECT_EQ(dest.Text, "Bitmap");
    EXPECT_TRUE(dest.WText.empty());
    ASSERT_NE(dest.Bitmap, nullptr);
    EXPECT_NE(dest.Bitmap.get(), src.Bitmap.get());
    const MemoryPicture* copy = PictureOf(dest);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Width(), 3);
    EXPECT_EQ(copy->Height(), 2);
    EXPECT_TRUE(std::ranges::equal(copy->Pixels(), PictureOf(src)->Pixels()));

    static_cast<MemoryPicture*>(src.Bitmap.get())->SetPixel(0, 0, 1);
    EXPECT_EQ(copy->Pixel(0, 0), 0x00112233u);
}

TEST(CopyItem, RecordWithoutPictureLeavesDestinationWithoutOne) {
    TCBI dest = PictureItem(5, 5, 1);
    const TCBI src = TextItem("plain");
    ASSERT_TRUE(THistory::CopyItem(dest, src));
    EXPECT_EQ(dest.Bitmap, nullptr);
    EXPECT_EQ(dest.Format, kCF_TEXT);
    EXPECT_EQ(dest.Text, "plain");
    EXPECT_EQ(dest.WText, u"plain");
}

TEST_F(HistoryTest, MirrorCopiedOntoItselfWithEmptyHistoryStays) {
    Capture(PictureItem(2, 2, 4));
    history.DeleteItem(1);
    TCBI& mirror = history.CBItems[0];
    const Picture* picture = mirror.Bitmap.get();
    EXPECT_TRUE(THistory::CopyItem(mirror, mirror));
    EXPECT_EQ(mirror.Bitmap.get(), picture);
    ASSERT_NE(PictureOf(mirror), nullptr);
    EXPECT_EQ(PictureOf(mirror)->Pixel(1, 1), 4u);
    EXPECT_EQ(mirror.Format, kCF_BITMAP);
    EXPECT_EQ(mirror.Text, "Bitmap");
}

TEST(CopyItem, EmptyPictureCopiesToAnEmptyPicture) {
    TCBI dest;
    ASSERT_TRUE(THistory::CopyItem(dest, PictureItem(0, 0, 0)));
    ASSERT_NE(dest.Bitmap, nullptr);
    EXPECT_EQ(dest.Bitmap->Width(), 0);
    EXPECT_EQ(dest.Bitmap->Height(), 0);
}

TEST(CopyItem, PictureThatCannotBeCopiedLeavesNone) {
    TCBI src = PictureItem(4, 4, 1);
    static_cast<MemoryPicture*>(src.Bitmap.get())->SetCopyFails(true);
    TCBI dest = PictureItem(1, 1, 2);
    EXPECT_FALSE(THistory::CopyItem(dest, src));
    EXPECT_EQ(dest.Bitmap, nullptr);  // the old picture is released, not kept
    EXPECT_EQ(dest.Format, kCF_BITMAP);
    EXPECT_EQ(dest.Text, "Bitmap");
}

TEST(MemoryPicture, NegativeSizesCountAsEmptyAndOutsidePixelsAreIgnored) {
    MemoryPicture picture(-3, 2, 5);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_TRUE(picture.Pixels().empty());
    picture.SetPixel(0, 0, 1);
    EXPECT_EQ(picture.Pixel(0, 0), 0u);

    MemoryPicture small(2, 2, 5);
    small.SetPixel(2, 0, 1);
    small.SetPixel(-1, 0, 1);
    EXPECT_EQ(small.Pixel(2, 0), 0u);
    EXPECT_TRUE(std::ranges::all_of(small.Pixels(), [](std::uint32_t p) { return p == 5; }));
}

}  // namespace
}  // namespace swl
