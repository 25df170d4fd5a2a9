#include "ini/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ini/file_layer.h"
#include "ini/memory_file_layer.h"

namespace swl {
namespace {

struct GetCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniGet : public testing::TestWithParam<GetCase> {};

TEST_P(IniGet, ReadsLikeTheProfileFunctions) {
    const auto& c = GetParam();
    EXPECT_EQ(IniDocument::Parse(c.file).Get(c.section, c.key), c.expected) << c.name;
}

const GetCase kGetCases[] = {
    {"plain", "[SWL]\r\nAlpha=20\r\n", "SWL", "Alpha", "20"},
    {"lone LF line ends", "[SWL]\nA=1\nB=2\n", "SWL", "B", "2"},
    {"last line without a break", "[SWL]\r\nA=1", "SWL", "A", "1"},
    {"section and key case", "[swl]\r\naLPHA=3\r\n", "SWL", "Alpha", "3"},
    {"blanks around names and value", "  [ SWL ]  \r\n \t Alpha \t=\t 5 \v\r\n", "SWL", "Alpha", "5"},
    {"blanks passed in the names", "[SWL]\r\nAlpha=5\r\n", " SWL ", " Alpha ", "5"},
    {"double quotes", "[S]\r\nk=\"  a b  \"\r\n", "S", "k", "  a b  "},
    {"single quotes", "[S]\r\nk=  ' x '  \r\n", "S", "k", " x "},
    {"only the outer pair", "[S]\r\nk=\"'x'\"\r\n", "S", "k", "'x'"},
    {"unmatched quotes stay", "[S]\r\nk=\"x'\r\n", "S", "k", "\"x'"},
    {"a lone quote stays", "[S]\r\nk=\"\r\n", "S", "k", "\""},
    {"value with = and ;", "[S]\r\nk=a=b;c\r\n", "S", "k", "a=b;c"},
    {"empty value", "[S]\r\nk=\r\n", "S", "k", ""},
    {"first key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
    {"first section wins", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k", std::nullopt},
    {"key of another section", "[A]\r\nk=1\r\n[B]\r\n", "B", "k", std::nullopt},
    {"missing section", "[A]\r\nk=1\r\n", "B", "k", std::nullopt},
    {"line without = ignored", "[S]\r\nk\r\nk=2\r\n", "S", "k", "2"},
    {"comment is no key", "[S]\r\n;k=1\r\n  ;k=2\r\n", "S", "k", std::nullopt},
    {"lines before the first section", "k=1\r\n[S]\r\n", "S", "k", std::nullopt},
    {"text after ] is ignored", "[S]k=1\r\nk=2\r\n", "S", "k", "2"},
    {"header without ]", "[S\r\nk=3\r\n", "S", "k", "3"},
    {"empty file", "", "S", "k", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniGet, testing::ValuesIn(kGetCases));

TEST(IniDocument, ReadsAValueWhole) {
    const std::string value(100000, 'Q');
    EXPECT_EQ(IniDocument::Parse("[CBI01]\r\nText=" + value + "\r\n").Get("CBI01", "Text"), value);
}

TEST(IniDocument, UnchangedDocumentSerializesToTheSameBytes) {
    const std::string file = ";top\r\nx=y\r\n[A]\r\n k = 1 \r\n\r\ngarbage\r\n[B]\r\n";
    EXPECT_EQ(IniDocument::Parse(file).Serialize(), file);
    // LF-only files come back with CR LF.
    EXPECT_EQ(IniDocument::Parse("[A]\nk=1").Serialize(), "[A]\r\nk=1\r\n");
}

struct EditCase {
    const char* name;
    std::string before;
    void (*edit)(IniDocument&);
    std::string after;
};

class IniEdit : public testing::TestWithParam<EditCase> {};

TEST_P(IniEdit, ChangesOnlyWhatItShould) {
    const auto& c = GetParam();
    IniDocument doc = IniDocument::Parse(c.before);
    c.edit(doc);
    EXPECT_EQ(doc.Serialize(), c.after) << c.name;
}

const EditCase kEditCases[] = {
    {"new file", "", [](IniDocument& d) { d.Set("SWL", "CBI", "0"); }, "[SWL]\r\nCBI=0\r\n"},
    {"new section at the end, no blank line", "[A]\r\nk=1\r\n",
     [](IniDocument& d) { d.Set("B", "x", "2"); }, "[A]\r\nk=1\r\n[B]\r\nx=2\r\n"},
    {"replace in place keeps order and the file's spelling", "[A]\r\n Key = old \r\nz=1\r\n",
     [](IniDocument& d) { d.Set("a", "KEY", "new"); }, "[A]\r\nKey=new\r\nz=1\r\n"},
    {"new key after the last key of the section", "[A]\r\nk=1\r\n;c\r\n\r\n[B]\r\nm=2\r\n",
     [](IniDocument& d) { d.Set("A", "n", "3"); },
     "[A]\r\nk=1\r\nn=3\r\n;c\r\n\r\n[B]\r\nm=2\r\n"},
    {"new key in an empty section goes under the header", "[A]\r\n;c\r\n[B]\r\n",
     [](IniDocument& d) { d.Set("A", "n", "3"); }, "[A]\r\nn=3\r\n;c\r\n[B]\r\n"},
    {"value written as given", "",
     [](IniDocument& d) { d.Set("A", "k", " \"x\" "); }, "[A]\r\nk= \"x\" \r\n"},
    {"delete key, all copies in the first section", "[A]\r\nk=1\r\nm=2\r\nK=3\r\n[A]\r\nk=4\r\n",
     [](IniDocument& d) { d.DeleteKey("A", "k"); }, "[A]\r\nm=2\r\n[A]\r\nk=4\r\n"},
    {"delete a missing key", "[A]\r\nm=2\r\n",
     [](IniDocument& d) { d.DeleteKey("A", "k"); d.DeleteKey("Z", "k"); }, "[A]\r\nm=2\r\n"},
    {"erase keeps comments and other sections", ";0\r\n[A]\r\n;1\r\nk=1\r\n[B]\r\nm=2\r\n[a]\r\nq=3\r\n",
     [](IniDocument& d) { d.EraseSection("A"); }, ";0\r\n;1\r\n[B]\r\nm=2\r\n"},
    {"deleting the last key leaves the header", "[A]\r\nk=1\r\n",
     [](IniDocument& d) { d.DeleteKey("A", "k"); }, "[A]\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, IniEdit, testing::ValuesIn(kEditCases));

TEST(IniDocument, RefusesWhatALineCannotHold) {
    IniDocument doc = IniDocument::Parse("[A]\r\nk=1\r\n");
    EXPECT_FALSE(doc.Set("A", "k", "two\r\nlines"));
    EXPECT_FALSE(doc.Set("A]", "k", "v"));
    EXPECT_FALSE(doc.Set("A", "a=b", "v"));
    EXPECT_FALSE(doc.Set("A", ";k", "v"));
    EXPECT_FALSE(doc.Set("A", "[k", "v"));
    EXPECT_FALSE(doc.Set("A", "  ", "v"));
    EXPECT_EQ(doc.Serialize(), "[A]\r\nk=1\r\n");
}

TEST(IniDocument, ErasedSectionReadsAsMissingEvenWhenDuplicated) {
    IniDocument doc = IniDocument::Parse("[CBI01]\r\nFormat=1\r\n[CBI01]\r\nFormat=13\r\n");
    doc.EraseSection("CBI01");
    EXPECT_FALSE(doc.HasSection("CBI01"));
    EXPECT_FALSE(doc.Get("CBI01", "Format"));
}

TEST(IniDocument, KeyLikeLinesBeforeTheFirstSectionStayIgnoredAfterEdits) {
    IniDocument doc = IniDocument::Parse("k=stray\r\n[A]\r\nk=1\r\n");
    doc.EraseSection("A");
    doc.Set("A", "m", "2");
    const IniDocument again = IniDocument::Parse(doc.Serialize());
    EXPECT_FALSE(again.Get("A", "k"));
    EXPECT_EQ(again.Get("A", "m"), "2");
}

TEST(WriteFileAtomically, FailureLeavesTheOldFileAndNoTemporary) {
    MemoryFileLayer files;
    files.files["SWL.ini"] = "old";
    files.readOnly.insert("SWL.ini");
    EXPECT_FALSE(WriteFileAtomically(files, "SWL.ini", "new"));
    EXPECT_EQ(files.files["SWL.ini"], "old");
    EXPECT_FALSE(files.Has("SWL.ini.tmp"));

    files.readOnly.clear();
    EXPECT_TRUE(WriteFileAtomically(files, "SWL.ini", "new"));
    EXPECT_EQ(files.files["SWL.ini"], "new");
    EXPECT_FALSE(files.Has("SWL.ini.tmp"));
}

}  // namespace
}  // namespace swl
