// The quick-paste popup's filter as the keyboard drives it: texts stored
// with combining marks and typed precomposed (or the other way round) match,
// and digits go to the filter once it holds a letter, while Ctrl+digit
// still picks.
#include "quick_paste_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace swl {
namespace {

std::vector<QuickPasteEntry> Entries(std::initializer_list<std::u16string> newestFirst) {
    std::vector<QuickPasteEntry> entries;
    int slot = static_cast<int>(newestFirst.size());
    for (const auto& text : newestFirst) entries.push_back({slot--, text, false});
    return entries;
}

// A popup that is never shown: the keyboard's effects on its list and its
// picks are what is looked at.
struct Popup {
    explicit Popup(std::initializer_list<std::u16string> newestFirst)
        : window(Entries(newestFirst), QuickPasteTexts{}, nullptr, nullptr, [](int) { return nullptr; }) {
        window.OnPick = [this](int slot) { picked = slot; };
    }
    void Type(std::u16string_view text) {
        for (char16_t c : text) window.Char(c);
    }
    std::vector<std::u16string> Shown() const {
        std::vector<std::u16string> shown;
        for (int i = 0; i < window.List().ShownCount(); ++i) shown.push_back(window.List().Shown(i).text);
        return shown;
    }
    TQuickPasteWindow window;
    std::optional<int> picked;
};

// Holds Ctrl down in this thread's key state while it lives.
class CtrlHeld {
public:
    CtrlHeld() {
        GetKeyboardState(saved_);
        BYTE held[256];
        GetKeyboardState(held);
        held[VK_CONTROL] = 0x80;
        SetKeyboardState(held);
    }
    ~CtrlHeld() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256] = {};
};

struct ComposedCase {
    std::u16string stored;
    std::u16string typed;
};

TEST(QuickPasteFilterKeys, TextsWithCombiningMarksMatchWhatIsTypedPrecomposedAndTheOtherWayRound) {
    const ComposedCase cases[] = {
        // "Việt Nam" stored with combining marks, typed precomposed.
        {u"Vie\u0323\u0302t Nam", u"vi\u1EC7t"},
        // Stored precomposed, typed as a Vietnamese keyboard sends it: the
        // letter, then its marks.
        {u"Vi\u1EC7t Nam", u"vie\u0323\u0302t"},
        {u"Ti\u1EBFng", u"TIE\u0302\u0301NG"},
        {u"Đa\u0300 Na\u0306\u0303ng", u"\u0111\u00E0 n\u1EB5ng"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        Popup popup{u"something else", c.stored, u"Viet Nam without marks"};
        popup.Type(c.typed);
        ASSERT_EQ(popup.Shown().size(), 1u);
        EXPECT_EQ(popup.window.List().Shown(0).slot, 2);
    }
    // What is typed shows in its composed form too.
    Popup popup{u"x"};
    popup.Type(u"e\u0323\u0302");
    EXPECT_EQ(popup.window.List().Filter(), u"\u1EC7");
}

TEST(QuickPasteFilterKeys, DigitsFilterOnceTheFilterHoldsALetterAndCtrlDigitStillPicks) {
    {
        // Nothing typed: a digit picks.
        Popup popup{u"room 101", u"room 202", u"hall 2"};
        popup.Type(u"2");
        EXPECT_EQ(popup.picked, 2);
    }
    {
        // A filter without a letter yet: still a pick.
        Popup popup{u"room 101", u"room 202", u"hall 2"};
        popup.Type(u" 1");
        EXPECT_EQ(popup.picked, 3) << "the first entry shown, \"room 101\"";
    }
    {
        Popup popup{u"room 101", u"room 202", u"hall 2"};
        popup.Type(u"room 2");
        EXPECT_FALSE(popup.picked.has_value());
        EXPECT_EQ(popup.window.List().Filter(), u"room 2");
        EXPECT_EQ(popup.Shown(), std::vector<std::u16string>{u"room 202"});
        // Ctrl+1 picks the first entry shown.
        CtrlHeld ctrl;
        popup.window.KeyDown('1');
        EXPECT_EQ(popup.picked, 2);
    }
    {
        Popup popup{u"a1", u"a2", u"a3"};
        popup.Type(u"a");
        CtrlHeld ctrl;
        popup.window.KeyDown(VK_NUMPAD3);
        EXPECT_EQ(popup.picked, 1) << "the keypad's digits too";
    }
}

}  // namespace
}  // namespace swl
