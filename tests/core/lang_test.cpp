#include "LangEN.h"
#include "LangVI.h"
#include "SWLLang.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace swl {
namespace {

std::vector<std::u16string> SplitAtBr(const std::u16string& text) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(u"<br>", start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::u16string::npos) return parts;
        start = at + 4;
    }
}

bool Contains(const std::u16string& text, std::u16string_view part) {
    return text.find(part) != std::u16string::npos;
}

TEST(StringTables, BothHoldTheSameKeysOnce) {
    const std::set<std::string_view> en(KeysEN().begin(), KeysEN().end());
    const std::set<std::string_view> vi(KeysVI().begin(), KeysVI().end());
    EXPECT_EQ(en.size(), KeysEN().size()) << "a key appears twice in the English table";
    EXPECT_EQ(vi.size(), KeysVI().size()) << "a key appears twice in the Vietnamese table";
    EXPECT_EQ(en.size(), 36u + 9u + 1u) << "the window's texts, those of quick paste and the session's end";
    EXPECT_EQ(en, vi);
    EXPECT_TRUE(std::ranges::equal(LangKeys(), KeysEN()));

    for (std::string_view key : LangKeys()) {
        SCOPED_TRACE(std::string(key));
        EXPECT_TRUE(std::ranges::all_of(key, [](char c) { return c >= 'a' && c <= 'z'; }));
        // A Vietnamese text that failed to decode would come back empty.
        EXPECT_FALSE(GetTextEN(key).empty());
        EXPECT_FALSE(GetTextVI(key).empty());
        const std::string en = GetTextEN(key);
        EXPECT_EQ(GetLangText(false, key), std::u16string(en.begin(), en.end()));
        EXPECT_EQ(GetLangText(true, key), GetTextVI(key));
    }
}

struct TextCase {
    const char* key;
    std::u16string en;
    std::u16string vi;
};

TEST(StringTables, HoldTheExactTexts) {
    const TextCase cases[] = {
        {"lbshowall", u"Show All", u"Xem t\u1EA5t c\u1EA3"},
        {"lbclearcb", u"Clear Windows Clipboard", u"X\u00F3a Windows Clipboard"},
        {"lbhide", u"Hide Stashwell", u"\u1EA8n Stashwell"},
        {"ckautoload", u"&Auto load with Windows",
         u"&Kh\u1EDFi \u0111\u1ED9ng c\u00F9ng v\u1EDBi Windows"},
        {"cklang", u"&Vietnamese interface", u"Giao di\u1EC7n Ti\u1EBFng &Vi\u1EC7t"},
        {"miexit", u"E&xit", u"&Tho\u00E1t"},
        {"miview", u"Pre&view", u"Xem"},
        {"errregistry", u"Error: Cannot access Windows Registry!",
         u"L\u1ED7i: Kh\u00F4ng th\u1EC3 truy xu\u1EA5t Windows Registry!"},
        {"msgsetfocus", u"Please set the focus to application which you want to paste!",
         u"H\u00E3y \u0111\u1EB7t con tr\u1ECF v\u00E0o \u1EE9ng d\u1EE5ng m\u00E0 "
         u"b\u1EA1n mu\u1ED1n d\u00E1n!"},
        {"statdeactive", u"Stopped", u"Ng\u01B0ng ho\u1EA1t \u0111\u1ED9ng"},
        {"msgcbcollected", u"Clipboard Items collected",
         u"\u0111\u1ED1i t\u01B0\u1EE3ng Clipboard \u0111\u00E3 \u0111\u01B0\u1EE3c l\u01B0u"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(GetLangText(false, c.key), c.en);
        EXPECT_EQ(GetLangText(true, c.key), c.vi);
    }
}

TEST(StringTables, VietnameseTextsUsePrecomposedCharacters) {
    for (std::string_view key : LangKeys()) {
        const std::u16string text = GetTextVI(key);
        EXPECT_TRUE(std::ranges::none_of(text, [](char16_t c) { return c >= 0x300 && c <= 0x36F; }))
            << key;
    }
}

TEST(StringTables, TextsWithoutVietnameseWordsAreTheSameInBothLanguages) {
    for (const char* key : {"ebclipboard", "lbstatushint", "lbabouttitle"})
        EXPECT_EQ(GetLangText(true, key), GetLangText(false, key)) << key;
    EXPECT_EQ(GetLangText(true, "lbabouttitle"),
              u"Stash<b>well</b><sup><font size=14>1.1</font><sup>");
}

TEST(StringTables, CountMessageStartsLowerCaseInVietnamese) {
    // The notification window puts the count in front of it.
    const std::u16string text = GetTextVI("msgcbcollected");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], u'\u0111');
}

TEST(StringTables, KeysAreLowerCasedBeforeTheLookup) {
    for (bool vi : {false, true}) {
        const std::u16string expected = GetLangText(vi, "ckautoload");
        EXPECT_EQ(GetLangText(vi, "ckAutoLoad"), expected);
        EXPECT_EQ(GetLangText(vi, "CKAUTOLOAD"), expected);
    }
    EXPECT_EQ(GetTextEN("LbExit"), "Exit");
    // Only A to Z fold: a Latin-1 capital is not a key letter.
    EXPECT_EQ(GetTextEN("lbexit\xC9"), "");
}

TEST(StringTables, UnknownKeysGiveEmptyText) {
    for (std::string_view key : {std::string_view("v1"), std::string_view(""),
                                 std::string_view("lbexi"), std::string_view("lbexit "),
                                 std::string_view("lbexit\0", 7)}) {
        EXPECT_EQ(GetTextEN(key), "");
        EXPECT_EQ(GetTextVI(key), u"");
        EXPECT_EQ(GetLangText(false, key), u"");
        EXPECT_EQ(GetLangText(true, key), u"");
    }
}

// The About text: credit with a mail link, department, institution link
// with city and country, an empty line, the 2005 notice with the maker's
// link, and the version line. English gives the country a line of its own.
TEST(StringTables, AboutTextHasTheAboutStructure) {
    struct AboutCase {
        bool vietnamese;
        std::size_t institutionLines;
        std::u16string version;
    };
    const AboutCase cases[] = {
        {false, 2, u"Version 1.1 (Build 20050420)"},
        {true, 1, u"Phi\u00EAn b\u1EA3n 1.1 (Build 20050420)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vietnamese ? "Vietnamese" : "English");
        const auto parts = SplitAtBr(GetLangText(c.vietnamese, "lbaboutdetail"));
        ASSERT_EQ(parts.size(), 5 + c.institutionLines);
        EXPECT_TRUE(Contains(parts[0], u"<a href='mailto:"));
        EXPECT_TRUE(Contains(parts[0], u"</a>"));
        EXPECT_EQ(parts[1].back(), u',');
        EXPECT_EQ(parts[2].rfind(u"<a href='http://", 0), 0u);
        EXPECT_TRUE(Contains(parts[2], u"</a>, "));
        const std::size_t after = 2 + c.institutionLines;
        EXPECT_TRUE(parts[after].empty());
        EXPECT_TRUE(Contains(parts[after + 1], u"2005 <a href='http://"));
        EXPECT_EQ(parts[after + 1].substr(parts[after + 1].size() - 4), u"</a>");
        EXPECT_EQ(parts[after + 2], c.version);
        // Links use single quotes, and no text uses "&" (the label would
        // read it as a character reference).
        for (const auto& part : parts) {
            EXPECT_FALSE(Contains(part, u"href=\""));
            EXPECT_FALSE(Contains(part, u"&"));
        }
    }
}

}  // namespace
}  // namespace swl
