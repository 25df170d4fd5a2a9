#include "geometry/quick_paste_geometry.h"
#include "quick_paste/hotkey_text.h"
#include "quick_paste/quick_paste_list.h"
#include "quick_paste/text_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace swl {
namespace {

constexpr unsigned kCtrlAlt = kHotKeyCtrl | kHotKeyAlt;

struct ParseCase {
    std::string text;
    HotKey expected;
    std::string written;  // the text form written back
};

TEST(HotKeyText, ReadsEveryKindOfKeyAndWritesItBackInItsOwnForm) {
    const ParseCase cases[] = {
        {"Ctrl+Shift+V", {kHotKeyCtrl | kHotKeyShift, 'V', 0}, "Ctrl+Shift+V"},
        {"Ctrl+Alt+F9", {kCtrlAlt, kVkF1 + 8, 0}, "Ctrl+Alt+F9"},
        {"Ctrl+Alt+Shift+Win+Z", {kCtrlAlt | kHotKeyShift | kHotKeyWin, 'Z', 0}, "Ctrl+Alt+Shift+Win+Z"},
        {"Alt+0", {kHotKeyAlt, '0', 0}, "Alt+0"},
        {"Ctrl+F24", {kHotKeyCtrl, kVkF24, 0}, "Ctrl+F24"},
        {"Ctrl+Alt+Insert", kDefaultHotKey, "Ctrl+Alt+Insert"},
        {"Win+Space", {kHotKeyWin, kVkSpace, 0}, "Win+Space"},
        {"Alt+End", {kHotKeyAlt, kVkEnd, 0}, "Alt+End"},
        {"Ctrl+Alt+PageUp", {kCtrlAlt, kVkPageUp, 0}, "Ctrl+Alt+PageUp"},
        {"Win+Delete", {kHotKeyWin, kVkDelete, 0}, "Win+Delete"},
        {"Ctrl+Alt+Left", {kCtrlAlt, kVkLeft, 0}, "Ctrl+Alt+Left"},
        {"Alt+Win+Backspace", {kHotKeyAlt | kHotKeyWin, kVkBackspace, 0}, "Alt+Win+Backspace"},
        {"Ctrl+Alt+;", {kCtrlAlt, 0, ';'}, "Ctrl+Alt+;"},
        {"Ctrl+`", {kHotKeyCtrl, 0, '`'}, "Ctrl+`"},
        // The separator as the key.
        {"Ctrl++", {kHotKeyCtrl, 0, '+'}, "Ctrl++"},
        {"Ctrl+Shift++", {kHotKeyCtrl | kHotKeyShift, 0, '+'}, "Ctrl+Shift++"},
        // Written by hand: any case, blanks, any order.
        {"ctrl+shift+v", {kHotKeyCtrl | kHotKeyShift, 'V', 0}, "Ctrl+Shift+V"},
        {"  Shift + Ctrl + v ", {kHotKeyCtrl | kHotKeyShift, 'V', 0}, "Ctrl+Shift+V"},
        {"win+alt+pagedown", {kHotKeyAlt | kHotKeyWin, kVkPageDown, 0}, "Alt+Win+PageDown"},
        {"CTRL+f12", {kHotKeyCtrl, kVkF1 + 11, 0}, "Ctrl+F12"},
        // Empty is off.
        {"", {}, ""},
        {"   ", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + c.text + '"');
        const auto parsed = ParseHotKey(c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, c.expected);
        EXPECT_EQ(FormatHotKey(*parsed), c.written);
        EXPECT_EQ(ParseHotKey(c.written), parsed) << "the written form reads back";
    }
}

TEST(HotKeyText, RefusesWhatIsNotAHotKey) {
    const std::string cases[] = {
        "Ctrl", "Ctrl+", "Ctrl+Alt", "+V", "+", "++", "Ctrl+ +V", "Ctrl++V",
        "Ctrl+Ctrl+V",                   // a modifier twice
        "Control+V", "Strg+V", "Ctrl-V",  // unknown names
        "Ctrl+VV", "Ctrl+PgUp", "Ctrl+Enter",
        "Ctrl+F0", "Ctrl+F25", "Ctrl+F01", "Ctrl+F1a",
        "Ctrl+\xC3\xA9",                  // a character outside ASCII
        // Combinations JudgeHotKey refuses (the table below says why).
        "V", "Home", "Shift+Insert", "Ctrl+Tab", "Alt+F4",
    };
    for (const auto& text : cases) EXPECT_FALSE(ParseHotKey(text).has_value()) << '"' << text << '"';
}

struct VerdictCase {
    std::string text;  // the combination in its text form
    HotKeyVerdict verdict;
};

// Which combinations may take a key from every other program.
TEST(HotKeyText, ACombinationNeedsCtrlAltOrWinAndMustNotBeAnEverydayOne) {
    using V = HotKeyVerdict;
    const VerdictCase cases[] = {
        // Usable.
        {"Ctrl+Alt+Insert", V::Usable}, {"Ctrl+Shift+Q", V::Usable}, {"Alt+V", V::Usable},
        {"Alt+Win+V", V::Usable}, {"Win+F5", V::Usable}, {"Ctrl+F9", V::Usable}, {"Ctrl+Alt+Home", V::Usable},
        {"Alt+Insert", V::Usable}, {"Ctrl+Alt+;", V::Usable}, {"Ctrl+Shift+:", V::Usable}, {"Alt+F5", V::Usable},
        {"Ctrl+Alt+V", V::Usable}, {"Win+Space", V::Usable},
        // A bare key, or Shift alone, would take it from the user's typing.
        {"Home", V::NeedsCtrlAltOrWin}, {"End", V::NeedsCtrlAltOrWin}, {"PageUp", V::NeedsCtrlAltOrWin},
        {"PageDown", V::NeedsCtrlAltOrWin}, {"Insert", V::NeedsCtrlAltOrWin}, {"F1", V::NeedsCtrlAltOrWin},
        {"F12", V::NeedsCtrlAltOrWin}, {"V", V::NeedsCtrlAltOrWin}, {";", V::NeedsCtrlAltOrWin},
        {"Space", V::NeedsCtrlAltOrWin}, {"Esc", V::NeedsCtrlAltOrWin}, {"Tab", V::NeedsCtrlAltOrWin},
        {"Shift+V", V::NeedsCtrlAltOrWin}, {"Shift+F10", V::NeedsCtrlAltOrWin}, {"Shift+;", V::NeedsCtrlAltOrWin},
        // What editors and Windows use every day.
        {"Ctrl+Insert", V::UsedEveryDay}, {"Shift+Insert", V::UsedEveryDay}, {"Shift+Delete", V::UsedEveryDay},
        {"Ctrl+Tab", V::UsedEveryDay}, {"Ctrl+Shift+Tab", V::UsedEveryDay}, {"Alt+Tab", V::UsedEveryDay},
        {"Win+Tab", V::UsedEveryDay}, {"Alt+F4", V::UsedEveryDay}, {"Ctrl+Esc", V::UsedEveryDay},
        {"Ctrl+Shift+Esc", V::UsedEveryDay}, {"Alt+Space", V::UsedEveryDay}, {"Shift+Home", V::UsedEveryDay},
        {"Ctrl+Home", V::UsedEveryDay}, {"Ctrl+Shift+End", V::UsedEveryDay}, {"Ctrl+PageDown", V::UsedEveryDay},
        {"Shift+PageUp", V::UsedEveryDay}, {"Ctrl+Left", V::UsedEveryDay}, {"Ctrl+Shift+Right", V::UsedEveryDay},
        {"Shift+Up", V::UsedEveryDay}, {"Ctrl+Down", V::UsedEveryDay}, {"Ctrl+Backspace", V::UsedEveryDay},
        {"Ctrl+Delete", V::UsedEveryDay}, {"Ctrl+C", V::UsedEveryDay}, {"Ctrl+V", V::UsedEveryDay},
        {"Ctrl+X", V::UsedEveryDay}, {"Ctrl+Z", V::UsedEveryDay}, {"Ctrl+Shift+Z", V::UsedEveryDay},
        {"Ctrl+Y", V::UsedEveryDay}, {"Ctrl+A", V::UsedEveryDay},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto hotKey = ReadCombination(c.text);
        ASSERT_TRUE(hotKey.has_value()) << "the combination has a name";
        EXPECT_EQ(JudgeHotKey(*hotKey), c.verdict);
        EXPECT_EQ(FormatHotKey(*hotKey), c.text) << "a refused combination is named in its message as typed";
        EXPECT_EQ(ParseHotKey(c.text).has_value(), c.verdict == V::Usable) << "the file takes only usable ones";
    }
}

TEST(HotKeyText, OnlyNameableKeysAreUsable) {
    EXPECT_TRUE(IsUsableHotKey(kDefaultHotKey));
    EXPECT_EQ(JudgeHotKey(HotKey{}), HotKeyVerdict::NotAKey);
    EXPECT_EQ(JudgeHotKey(HotKey{kHotKeyCtrl, 0x61, 0}), HotKeyVerdict::NotAKey);   // the keypad's 1
    EXPECT_EQ(JudgeHotKey(HotKey{kHotKeyCtrl, 0x0D, 0}), HotKeyVerdict::NotAKey);   // Enter
    EXPECT_EQ(JudgeHotKey(HotKey{kHotKeyCtrl, 'V', ';'}), HotKeyVerdict::NotAKey);  // two keys
    EXPECT_EQ(JudgeHotKey(HotKey{0x10 | kHotKeyAlt, 'V', 0}), HotKeyVerdict::NotAKey);
    EXPECT_EQ(FormatHotKey(HotKey{kHotKeyCtrl, 0x61, 0}), "") << "a key without a name is not written as another";
}

struct MatchCase {
    std::u16string text;
    std::u16string part;
    bool found;
};

TEST(QuickPasteFilter, MatchesAnywhereWithoutRegardToCase) {
    const MatchCase cases[] = {
        {u"Hello World", u"world", true},
        {u"Hello World", u"LO W", true},
        {u"Hello World", u"", true},
        {u"Hello", u"hello!", false},
        {u"abc", u"abd", false},
        {u"", u"a", false},
        // Vietnamese: letters with one and two marks, and đ.
        {u"BỆNH VIỆN", u"bệnh", true},
        {u"bệnh viện", u"VIỆN", true},
        {u"Ệ", u"ệ", true},
        {u"Đà Nẵng", u"đà nẴng", true},
        {u"ĐƯỜNG", u"đường", true},
        {u"Ơn", u"ơN", true},
        {u"Ấp", u"ấp", true},
        {u"Ỹ", u"ỹ", true},
        // Different marks stay different letters.
        {u"bệnh", u"bênh", false},
        {u"Đa", u"da", false},
        // Latin-1, Latin Extended-A, Greek, Cyrillic.
        {u"ÉCOLE", u"école", true},
        {u"ŁÓDŹ", u"łódź", true},
        {u"ΑΘΗΝΑ", u"αθηνα", true},
        {u"МОСКВА", u"москва", true},
        {u"×", u"÷", false},
        // A character outside the Basic Multilingual Plane matches itself.
        {u"x\U0001F600y", u"\U0001F600", true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ContainsIgnoringCase(cases[i].text, cases[i].part), cases[i].found) << "case " << i;
}

TEST(QuickPasteFilter, FoldsEveryVietnameseCapitalToItsSmallLetter) {
    // The capitals with marks sit on the even code points of this block,
    // each followed by its small letter.
    for (char16_t c = 0x1EA0; c <= 0x1EF8; c += 2) EXPECT_EQ(FoldCase(c), c + 1) << int(c);
    for (char16_t c = 0x1EA1; c <= 0x1EF9; c += 2) EXPECT_EQ(FoldCase(c), c) << int(c);
    EXPECT_EQ(FoldCase(u'Đ'), u'đ');
    EXPECT_EQ(FoldCase(u'Ă'), u'ă');
    EXPECT_EQ(FoldCase(u'Ư'), u'ư');
}

std::vector<QuickPasteEntry> Entries(std::initializer_list<const char16_t*> texts) {
    std::vector<QuickPasteEntry> entries;
    int slot = static_cast<int>(texts.size());
    for (const char16_t* t : texts) {
        QuickPasteEntry e;
        e.slot = slot--;
        e.picture = t == nullptr;
        if (t) e.text = t;
        entries.push_back(e);
    }
    return entries;
}

TEST(QuickPasteList, NumbersTheFirstTenAndDigitsPickThem) {
    QuickPasteList list(Entries({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j", u"k"}), 5);
    EXPECT_EQ(QuickPasteList::NumberText(0), u"1");
    EXPECT_EQ(QuickPasteList::NumberText(8), u"9");
    EXPECT_EQ(QuickPasteList::NumberText(9), u"0");
    EXPECT_EQ(QuickPasteList::NumberText(10), u"");
    EXPECT_EQ(list.PositionForDigit(u'1'), 0);
    EXPECT_EQ(list.PositionForDigit(u'2'), 1);
    EXPECT_EQ(list.PositionForDigit(u'0'), 9);
    EXPECT_EQ(list.PositionForDigit(u'x'), std::nullopt);

    QuickPasteList shorter(Entries({u"a", u"b"}), 5);
    EXPECT_EQ(shorter.PositionForDigit(u'3'), std::nullopt) << "no third entry";
    EXPECT_EQ(shorter.PositionForDigit(u'0'), std::nullopt);
}

TEST(QuickPasteList, SelectionMovesWithinTheEntriesAndTheViewFollows) {
    QuickPasteList list(Entries({u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"}), 3);
    struct Step {
        QuickPasteMove move;
        int selected;
        int top;
    };
    const Step steps[] = {
        {QuickPasteMove::Up, 0, 0},        // stays at the first
        {QuickPasteMove::Down, 1, 0},
        {QuickPasteMove::Down, 2, 0},
        {QuickPasteMove::Down, 3, 1},      // the view scrolls by one
        {QuickPasteMove::PageDown, 6, 4},
        {QuickPasteMove::PageDown, 7, 5},  // stops at the last
        {QuickPasteMove::Down, 7, 5},
        {QuickPasteMove::PageUp, 4, 4},
        {QuickPasteMove::Home, 0, 0},
        {QuickPasteMove::End, 7, 5},
    };
    EXPECT_EQ(list.Selected(), 0);
    for (const auto& s : steps) {
        list.Move(s.move);
        EXPECT_EQ(list.Selected(), s.selected) << static_cast<int>(s.move);
        EXPECT_EQ(list.Top(), s.top) << static_cast<int>(s.move);
    }
}

TEST(QuickPasteList, TheFilterNarrowsRenumbersAndEdits) {
    QuickPasteList list(Entries({u"Phở bò", nullptr, u"phone", u"Bún chả", u"PHỞ GÀ"}), 10);
    list.Move(QuickPasteMove::End);
    for (char16_t c : std::u16string(u"phở")) list.TypeFilter(c);
    ASSERT_EQ(list.ShownCount(), 2);
    EXPECT_EQ(list.Shown(0).text, u"Phở bò");
    EXPECT_EQ(list.Shown(1).text, u"PHỞ GÀ");
    EXPECT_EQ(list.Selected(), 0) << "a new filter selects the first entry";
    EXPECT_EQ(list.PositionForDigit(u'2'), 1);
    EXPECT_EQ(list.PositionForDigit(u'3'), std::nullopt);

    list.EraseFilter();  // "ph": the picture still has no text
    EXPECT_EQ(list.ShownCount(), 3);
    list.TypeFilter(u'x');
    EXPECT_EQ(list.ShownCount(), 0);
    EXPECT_EQ(list.Selected(), -1);
    list.Move(QuickPasteMove::Down);
    EXPECT_EQ(list.Selected(), -1);
    for (int i = 0; i < 5; ++i) list.EraseFilter();
    EXPECT_EQ(list.Filter(), u"");
    EXPECT_EQ(list.ShownCount(), 5) << "an empty filter shows the picture again";

    list.TypeFilter(u'\xD83D');
    list.TypeFilter(u'\xDE00');
    list.EraseFilter();
    EXPECT_EQ(list.Filter(), u"") << "a surrogate pair goes as one character";
}

TEST(QuickPasteList, AnEmptyHistoryShowsNothing) {
    QuickPasteList list({}, 10);
    EXPECT_TRUE(list.HistoryEmpty());
    EXPECT_EQ(list.Selected(), -1);
    list.Move(QuickPasteMove::End);
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_EQ(list.PositionForDigit(u'1'), std::nullopt);
}

}  // namespace
}  // namespace swl

namespace swl {
namespace {

struct PlaceCase {
    const char* what;
    Rect caret;
    Rect expected;
};

TEST(QuickPastePlacement, OpensBelowTheCaretAndStaysInTheWorkArea) {
    const Rect work{0, 0, 1024, 748};
    const Size size{280, 200};
    const PlaceCase cases[] = {
        {"below, left edge at the caret", {100, 100, 101, 116}, Rect::FromSize(100, 118, 280, 200)},
        {"no room below: above", {100, 700, 101, 716}, Rect::FromSize(100, 498, 280, 200)},
        {"at the right edge", {1000, 100, 1001, 116}, Rect::FromSize(744, 118, 280, 200)},
        {"left of the work area", {-50, 100, -49, 116}, Rect::FromSize(0, 118, 280, 200)},
        {"the pointer, no size", {500, 300, 500, 300}, Rect::FromSize(500, 302, 280, 200)},
        {"a caret below the work area", {10, 900, 11, 916}, Rect::FromSize(10, 548, 280, 200)},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceQuickPaste(c.caret, size, work), c.expected) << c.what;
    // Room neither below nor above: inside, as low as it fits.
    EXPECT_EQ(PlaceQuickPaste({10, 100, 11, 116}, {280, 200}, {0, 0, 800, 250}), Rect::FromSize(10, 50, 280, 200));
    // A work area with an offset (a second monitor, a taskbar at the top).
    EXPECT_EQ(PlaceQuickPaste({1030, 5, 1031, 21}, size, {1024, 30, 2048, 768}), Rect::FromSize(1030, 30, 280, 200));
}

TEST(QuickPastePlacement, ThumbnailsKeepTheirProportionsInsideTheBox) {
    EXPECT_EQ(QuickPasteThumbSize(30, 10), (Size{30, 10}));    // fits: as it is
    EXPECT_EQ(QuickPasteThumbSize(400, 100), (Size{40, 10}));  // wide
    EXPECT_EQ(QuickPasteThumbSize(100, 400), (Size{5, 20}));   // tall
    EXPECT_EQ(QuickPasteThumbSize(4000, 1), (Size{40, 1}));    // never 0 high
    EXPECT_EQ(QuickPasteThumbSize(0, 5), (Size{1, 1}));
}

}  // namespace
}  // namespace swl
