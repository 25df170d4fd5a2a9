#include "picture_budget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_codepage.h"
#include "fake_clipboard.h"
#include "memory_picture.h"

namespace swl {
namespace {

// A history of texts and pictures of 10 x 10 pixels (400 bytes each), made
// room in for one more picture: the oldest pictures go first, texts stay.
TEST(PictureBudgetTest, TheOldestPicturesLeaveFirstAndTextsStay) {
    struct Case {
        std::uint64_t newBytes;
        std::uint64_t budget;
        std::vector<std::u16string> kept;
        bool fits;
    };
    const Case cases[] = {
        {400, 2000, {u"Bitmap", u"text", u"Bitmap", u"Bitmap"}, true},  // 1200 + 800 fit
        {400, 1999, {u"text", u"Bitmap", u"Bitmap"}, true},
        {400, 800, {u"text"}, true},
        {800, 799, {u"Bitmap", u"text", u"Bitmap", u"Bitmap"}, false},  // too large for any history
    };
    Cp1252CodePage codePage;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        ListLinesView view;
        THistory history(view, codePage);
        FakeClipboard clipboard(history);
        clipboard.monitoring = true;
        clipboard.CopyPicture(MemoryPicture(10, 10));
        clipboard.CopyText(u"text");
        clipboard.CopyPicture(MemoryPicture(10, 10));
        clipboard.CopyPicture(MemoryPicture(10, 10));
        EXPECT_EQ(MakeRoomForPicture(history, c.newBytes, c.budget), c.fits);
        EXPECT_EQ(view.lines, c.kept);
        EXPECT_EQ(history.CBCount, static_cast<int>(c.kept.size()));
    }
}

}  // namespace
}  // namespace swl
