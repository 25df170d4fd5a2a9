#include "item_recorder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ansi_codepage.h"
#include "fake_clipboard.h"
#include "memory_picture.h"

namespace swl {
namespace {

TCBI TextItem(const std::u16string& text, const AnsiCodePage& codePage) {
    TCBI item;
    item.Format = kCF_UNICODETEXT;
    item.FormatName = "CF_UNICODETEXT";
    item.WText = text;
    item.Text = codePage.ToAnsi(text);
    return item;
}

// Whatever the clipboard does with a write, the item ends up once, as the
// newest item, with its whole text; and a capture that was waiting for a
// held clipboard does not record it a second time afterwards.
TEST(ItemRecorderTest, AWrittenItemIsTheNewestItemExactlyOnce) {
    struct Case {
        const char* name;
        bool monitoring;
        bool partly;    // only CF_TEXT reaches the clipboard
        bool heldOff;   // another program takes the clipboard before the capture
        bool nextFails; // the next put cannot open the clipboard
        RecordOutcome outcome;
    };
    const Case cases[] = {
        {"captured", true, false, false, false, RecordOutcome::ByCapture},
        {"monitoring off", false, false, false, false, RecordOutcome::Directly},
        {"the capture saw only the 8-bit text", true, true, false, false, RecordOutcome::Directly},
        {"the capture waits for a held clipboard", true, false, true, false, RecordOutcome::Directly},
        {"the wait outlasts the next item", true, false, true, true, RecordOutcome::Directly},
    };
    Cp1252CodePage codePage;
    const std::u16string vietnamese = u"m\u1ED9t";  // not in the 8-bit code page
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ListLinesView view;
        THistory history(view, codePage);
        FakeClipboard clipboard(history);
        clipboard.monitoring = c.monitoring;
        clipboard.CopyText(u"before");
        if (!c.monitoring) RecordDirectly(history, TextItem(u"before", codePage));
        if (c.partly) clipboard.partialPuts = {1};
        if (c.heldOff) clipboard.capturesHeldOff = {1};
        if (c.nextFails) clipboard.failingPuts = {2};

        EXPECT_EQ(PutAndRecord(history, clipboard, TextItem(vietnamese, codePage)), c.outcome);
        TCBI next = TextItem(u"next", codePage);
        if (PutAndRecord(history, clipboard, std::move(next)) == RecordOutcome::NotWritten)
            RecordDirectly(history, std::move(next));
        clipboard.ReleaseHold();  // the other program lets the clipboard go

        EXPECT_EQ(view.lines, (std::vector<std::u16string>{u"before", u"m?t", u"next"}));
        ASSERT_EQ(history.CBCount, 3);
        EXPECT_EQ(history.CBItems[2].Format, kCF_UNICODETEXT);
        EXPECT_EQ(history.CBItems[2].WText, vietnamese);
        EXPECT_EQ(history.CBItems[0].WText, u"next");
    }
}

TEST(ItemRecorderTest, NothingWrittenLeavesTheItemToTheCaller) {
    Cp1252CodePage codePage;
    ListLinesView view;
    THistory history(view, codePage);
    FakeClipboard clipboard(history);
    clipboard.monitoring = true;
    clipboard.failingPuts = {1};
    MemoryPicture picture(3, 2, 0x123456);
    TCBI item;
    item.Format = kCF_BITMAP;
    item.Bitmap = picture.Copy();
    const Picture* own = item.Bitmap.get();
    EXPECT_EQ(PutAndRecord(history, clipboard, std::move(item)), RecordOutcome::NotWritten);
    EXPECT_EQ(item.Bitmap.get(), own);
    EXPECT_EQ(history.CBCount, 0);
    // An empty record writes nothing either.
    EXPECT_EQ(PutAndRecord(history, clipboard, TCBI{}), RecordOutcome::NotWritten);
    EXPECT_EQ(history.CBCount, 0);
}

}  // namespace
}  // namespace swl
