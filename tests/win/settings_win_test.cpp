// The settings file, its pictures and the auto-start value on Windows: our
// INI reading and writing against the system's profile functions, BMP files
// of display pictures, the form's load and save in a folder of the test's
// own, and the Run value in a key of the test's own.
#include "MainForm.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "bmp/bmp_reader.h"
#include "bmp/bmp_writer.h"
#include "clipboard.h"
#include "ddb_picture.h"
#include "gdi_handles.h"
#include "item_limits.h"
#include "ini/ini_document.h"
#include "settings/ddb_bmp_files.h"
#include "settings/program_directory.h"
#include "settings/run_key.h"
#include "settings/win_file_layer.h"
#include "SWLLang.h"
#include "collected_reports.h"
#include "test_support.h"

namespace swl {
namespace {

using test::TempFolder;

constexpr wchar_t kTestRunKey[] = L"Software\\StashwellTests\\Run";

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }  // ASCII paths only

std::string ReadBytes(const std::wstring& path) {
    WinFileLayer layer(L"");
    const FileRead read = layer.ReadAll(Narrow(path), 1 << 28);
    return read.ok() ? read.bytes : std::string("<no file>");
}

void WriteBytes(const std::wstring& path, std::string_view bytes) { ASSERT_TRUE(test::WriteFileBytes(path, bytes)); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ProfileRead(const std::string& file, const char* section, const char* key) {
    std::vector<char> buffer(70000);
    GetPrivateProfileStringA(section, key, "<none>", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    return buffer.data();
}

// ---- our INI reading and writing against the profile functions ----------

TEST(SettingsIniInterop, FilesWrittenByHandAreReadAsTheProfileFunctionsReadThem) {
    struct Case {
        const char* name;
        const char* file;
        std::vector<std::pair<const char*, const char*>> queries;
    };
    const Case cases[] = {
        {"names ignore case", "[SWL]\r\nAlpha=10\r\n", {{"SWL", "Alpha"}, {"swl", "ALPHA"}, {"Swl", "alpha"}}},
        {"blanks around names and values", "[ SWL ]\r\n  Alpha  =  10 20  \r\n", {{"SWL", "Alpha"}}},
        {"one pair of quotes", "[SWL]\r\nA=\"quoted\"\r\nB=\"\"twice\"\"\r\nC=\"open\r\nD=x\"y\"\r\n",
         {{"SWL", "A"}, {"SWL", "B"}, {"SWL", "C"}, {"SWL", "D"}}},
        {"first match wins", "[SWL]\r\nA=1\r\nA=2\r\n[SWL]\r\nA=3\r\nB=4\r\n", {{"SWL", "A"}, {"SWL", "B"}}},
        {"lines without =", "[SWL]\r\njunk line\r\nA=1\r\n=novalue\r\n", {{"SWL", "A"}, {"SWL", "junk line"}}},
        {"LF only", "[SWL]\nA=1\nB=2\n", {{"SWL", "A"}, {"SWL", "B"}}},
        {"missing key and section", "[SWL]\r\nA=1\r\n", {{"SWL", "Z"}, {"Other", "A"}}},
        {"empty value", "[SWL]\r\nA=\r\n", {{"SWL", "A"}}},
        {"keys before any section", "A=1\r\n[SWL]\r\nB=2\r\n", {{"SWL", "A"}, {"SWL", "B"}}},
    };
    TempFolder folder;
    const std::wstring path = folder.Path() + L"case.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.file);
        const IniDocument doc = IniDocument::Parse(c.file);
        for (const auto& [section, key] : c.queries) {
            SCOPED_TRACE(std::string(section) + "/" + key);
            EXPECT_EQ(doc.Get(section, key).value_or("<none>"), ProfileRead(Narrow(path), section, key));
        }
    }
}

TEST(SettingsIniInterop, FilesWeWriteAreReadTheSameByTheProfileFunctions) {
    TempFolder folder;
    const std::wstring path = folder.Path() + L"ours.ini";
    IniDocument doc = IniDocument::Parse("[swl]\r\nalpha=1\r\n[CBI01]\r\nFormat=1\r\n");
    ASSERT_TRUE(doc.Set("SWL", "Alpha", "42"));  // replaces the key of another spelling
    ASSERT_TRUE(doc.Set("SWL", "Page", "inner blanks kept"));
    const std::string longValue(5000, 'Q');
    ASSERT_TRUE(doc.Set("CBI01", "Text", longValue));
    doc.EraseSection("CBI02");
    WriteBytes(path, doc.Serialize());
    EXPECT_EQ(ProfileRead(Narrow(path), "SWL", "Alpha"), "42");
    EXPECT_EQ(ProfileRead(Narrow(path), "SWL", "Page"), "inner blanks kept");
    EXPECT_EQ(ProfileRead(Narrow(path), "CBI01", "Text"), longValue);
    EXPECT_EQ(ProfileRead(Narrow(path), "CBI01", "Format"), "1");

    // And what the profile functions then add is read back by us.
    ASSERT_TRUE(WritePrivateProfileStringA("SWL", "FTR", "0", Narrow(path).c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("CBI01", nullptr, nullptr, Narrow(path).c_str()));
    const IniDocument back = IniDocument::Parse(ReadBytes(path));
    EXPECT_EQ(back.GetString("SWL", "FTR", "?"), "0");
    EXPECT_EQ(back.GetString("SWL", "Alpha", "?"), "42");
    EXPECT_FALSE(back.HasSection("CBI01"));
}

// ---- pictures ------------------------------------------------------------

std::unique_ptr<DdbPicture> Pattern(int w, int h) {
    auto picture = DdbPicture::Create(w, h);
    if (!picture) return nullptr;
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (!dc.Select(picture->Handle())) return nullptr;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(dc.get(), x, y, RGB(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    return picture;
}

std::vector<COLORREF> Pixels(const DdbPicture& picture) {
    std::vector<COLORREF> out;
    ScreenDC screen;
    MemoryDC dc(screen.get());
    if (!dc.Select(picture.Handle())) return out;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) out.push_back(GetPixel(dc.get(), x, y));
    return out;
}

std::span<const std::uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(SettingsPictures, ABmpFileRoundTripIsPixelIdenticalAtTheDisplaysDepth) {
    auto original = Pattern(37, 13);  // an odd width pads every row
    ASSERT_TRUE(original);
    const auto file = DdbToBmpFile(*original);
    ASSERT_TRUE(file);
    const BmpReadResult read = ReadBmp(*file);
    ASSERT_TRUE(read.ok()) << BmpErrorName(read.error);
    BITMAP bm{};
    GetObjectW(original->Handle(), sizeof(bm), &bm);
    EXPECT_EQ(read.image.bitsPerPixel, bm.bmBitsPixel);
    EXPECT_EQ(read.image.width, 37);
    EXPECT_EQ(read.image.height, 13);
    auto back = DdbFromBmp(read.image);
    ASSERT_TRUE(back);
    EXPECT_EQ(Pixels(*back), Pixels(*original));
}

TEST(SettingsPictures, TopDownAndPalettedFilesLoad) {
    // A 2 x 2, 8-bit file with a two-colour table, stored top-down.
    const std::uint32_t colours[] = {0x00FF0000, 0x000000FF};
    const std::uint8_t rows[] = {0, 1, 0, 0, 1, 0, 0, 0};  // bottom row first
    BmpWriteInput input;
    input.width = 2;
    input.height = 2;
    input.bitsPerPixel = 8;
    input.colours = colours;
    input.rows = rows;
    auto file = WriteBmp(input);
    ASSERT_TRUE(file);
    const BmpReadResult bottomUp = ReadBmp(*file);
    ASSERT_TRUE(bottomUp.ok());
    auto picture = DdbFromBmp(bottomUp.image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(Pixels(*picture), (std::vector<COLORREF>{RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)}));

    // The same rows read as top-down (negative height) come out flipped.
    auto& bytes = *file;
    const std::int32_t negative = -2;
    std::memcpy(bytes.data() + 22, &negative, 4);
    const BmpReadResult topDown = ReadBmp(bytes);
    ASSERT_TRUE(topDown.ok());
    picture = DdbFromBmp(topDown.image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(Pixels(*picture), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 0, 255), RGB(255, 0, 0)}));
}

bool LooksLikeThePlaceholder(const DdbPicture& picture) {
    if (picture.Width() != kPlaceholderWidth || picture.Height() != kPlaceholderHeight) return false;
    const auto px = Pixels(picture);
    int red = 0;
    bool whiteOutsideText = true;
    for (int y = 0; y < kPlaceholderHeight; ++y)
        for (int x = 0; x < kPlaceholderWidth; ++x) {
            const COLORREF c = px[static_cast<std::size_t>(y * kPlaceholderWidth + x)];
            if (c == RGB(255, 0, 0)) ++red;
            const bool inText = x >= 10 && x < 150 && y >= 5 && y < 30;
            if (!inText && c != RGB(255, 255, 255)) whiteOutsideText = false;
        }
    return whiteOutsideText && red > 50;
}

// ---- the form's load and save --------------------------------------------

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    }
    void TearDown() override {
        form.reset();
        RegDeleteKeyW(HKEY_CURRENT_USER, kTestRunKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\StashwellTests");
        SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(TClipboard::Instance().OpenCount(), 0);
    }

    // A form with the defaults whose settings live in `where`.
    void Make(const std::wstring& where) {
        dir = where;
        form = std::make_unique<TfrmMain>(app, TfrmMain::Options{false});
        form->UseSettingsStore(dir, kTestRunKey);
        form->SettingsDialogSink = [this](TDlgType, const std::u16string& text) { dialogs.push_back(text); };
    }
    // Runs the start-up load as a fresh window would: the window leaves the
    // chain its defaults joined, and the load's click joins it again.
    void Load() {
        if (form->ckMonitor.Checked()) form->ckMonitor.Click();
        form->LoadSettings();
    }
    std::wstring Ini() const { return dir + L"SWL.ini"; }
    std::u16string Text(const char* key) const { return GetLangText(false, key); }
    int Count() const { return form->History.CBCount; }
    const TCBI& Slot(int i) const { return form->History.CBItems[static_cast<std::size_t>(i)]; }

    test::CollectedReports reports;
    TApplication app;
    test::MessageWindow writer;
    TempFolder folder;
    std::wstring dir;
    std::unique_ptr<TfrmMain> form;
    std::vector<std::u16string> dialogs;
};

TEST_F(SettingsFormTest, ASavedHistoryComesBackInOrderInAFolderTheAnsiCodePageCannotSpell) {
    const std::wstring wide = folder.Path() + L"L\u01B0u \u1EA3nh\\";  // "Lưu ảnh"
    ASSERT_FALSE(AnsiCanHold(wide));
    ASSERT_TRUE(CreateDirectoryW(wide.c_str(), nullptr));
    Make(wide);
    const std::u16string vietnamese = u"Ti\u1EBFng Vi\u1EC7t c\u00F3 d\u1EA5u";
    const std::u16string longText(3000, u'x');  // beyond the old 2048-byte read
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.text = std::string("plain ansi")}));
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.unicode = vietnamese}));
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.bitmap = SIZE{31, 9}, .bitmapColor = RGB(40, 90, 200)}));
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.unicode = longText}));
    ASSERT_EQ(Count(), 4);
    const auto picture = Pixels(static_cast<const DdbPicture&>(*Slot(3).Bitmap));
    form->ckSave.Click();
    form->ckRestoreCB.Click();
    form.reset();  // saves
    EXPECT_TRUE(Exists(wide + L"SWL.ini"));
    EXPECT_TRUE(Exists(wide + L"CBI03.bmp"));

    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.unicode = u"found at start"}));
    Make(wide);
    Load();
    EXPECT_TRUE(dialogs.empty());
    ASSERT_EQ(Count(), 4);
    EXPECT_EQ(Slot(1).Text, "plain ansi");
    EXPECT_EQ(Slot(2).WText, vietnamese);
    ASSERT_EQ(Slot(3).Format, 2);
    EXPECT_EQ(Pixels(static_cast<const DdbPicture&>(*Slot(3).Bitmap)), picture);
    EXPECT_EQ(Slot(4).WText, longText);
    EXPECT_EQ(test::ReadClipboardUnicode(writer.Handle()), longText);
    EXPECT_TRUE(Exists(wide + L"CBI03.bmp"));  // on disk until the next exit save
}

// What the capture records is saved at exit and comes back at the next
// start: a picture wider than 32767 pixels, the longest text kept, a picture
// without pixels as the newest item. What could not be kept is refused when
// it is copied, with the error report.
TEST_F(SettingsFormTest, WhatTheCaptureRecordsComesBackAfterARestart) {
    Make(folder.Path());
    form->ckSave.Click();
    const COLORREF colour = RGB(200, 30, 60);
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.bitmap = SIZE{40000, 2}, .bitmapColor = colour}));
    const std::u16string longest(kMaxStoredTextBytes, u'x');
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.unicode = longest}));
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.text = std::string(kMaxStoredTextBytes + 1, 'y')}));
    EXPECT_EQ(reports.Texts(), std::vector<std::string>{"The text on the clipboard is too long to keep."});
    // A bitmap announced but never rendered: the clipboard gives no handle.
    ASSERT_TRUE(test::OpenClipboardWithRetry(writer.Handle()));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, nullptr);
    CloseClipboard();
    ASSERT_EQ(Count(), 3);
    ASSERT_EQ(Slot(3).Format, kCF_BITMAP);
    ASSERT_EQ(Slot(3).Bitmap->Width(), 0);
    form.reset();  // saves
    EXPECT_TRUE(dialogs.empty());

    ASSERT_TRUE(test::EmptyTheClipboard(writer.Handle()));
    Make(folder.Path());
    Load();
    EXPECT_TRUE(dialogs.empty());
    ASSERT_EQ(Count(), 3);
    ASSERT_EQ(Slot(1).Format, kCF_BITMAP);
    const auto& wide = static_cast<const DdbPicture&>(*Slot(1).Bitmap);
    ASSERT_EQ(wide.Width(), 40000);
    ASSERT_EQ(wide.Height(), 2);
    ScreenDC screen;
    MemoryDC dc(screen.get());
    ASSERT_TRUE(dc.Select(wide.Handle()));
    EXPECT_EQ(GetPixel(dc.get(), 39999, 1), colour);
    EXPECT_EQ(Slot(2).WText, longest);
    ASSERT_EQ(Slot(3).Format, kCF_BITMAP);
    EXPECT_EQ(Slot(3).Bitmap->Width(), 0);
    EXPECT_EQ(Slot(3).Bitmap->Height(), 0);
}

TEST_F(SettingsFormTest, PictureFilesThatCannotBeUsedGiveThePlaceholder) {
    auto good = DdbToBmpFile(*Pattern(4, 3));
    ASSERT_TRUE(good);
    const std::string valid(good->begin(), good->end());
    auto patched = [&](std::size_t offset, std::int32_t value) {
        std::string b = valid;
        std::memcpy(b.data() + offset, &value, 4);
        return b;
    };
    struct Case {
        const char* name;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"no file", std::nullopt},
        {"empty file", std::string()},
        {"only the signature", std::string("BM")},
        {"absurd width", patched(18, 2000000000)},
        {"absurd size inside the limits of each side", patched(18, 30000) /* and 3 rows: past the end */},
        {"zero height", patched(22, 0)},
        {"negative width", patched(18, -4)},
        {"rows past the end", patched(10, 1 << 20)},
        {"truncated rows", valid.substr(0, valid.size() - 5)},
        {"unknown depth", [&] {
             std::string b = valid;
             b[28] = 7;
             return b;
         }()},
        {"header size of nothing known", patched(14, 77)},
    };
    Make(folder.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileW((dir + L"CBI01.bmp").c_str());
        if (c.bytes) WriteBytes(dir + L"CBI01.bmp", *c.bytes);
        WriteBytes(Ini(), "[SWL]\r\nSaveOnExit=1\r\nRestoreCB=1\r\nCBI=1\r\n[CBI01]\r\nFormat=2\r\nBMP=CBI01.bmp\r\n");
        dialogs.clear();
        Load();
        // A file that is there but cannot be used is named in the report.
        EXPECT_EQ(dialogs.empty(), !c.bytes.has_value());
        ASSERT_EQ(Count(), 1);
        ASSERT_EQ(Slot(1).Format, 2);
        ASSERT_TRUE(Slot(1).Bitmap);
        EXPECT_TRUE(LooksLikeThePlaceholder(static_cast<const DdbPicture&>(*Slot(1).Bitmap)));
        EXPECT_EQ(Exists(dir + L"CBI01.bmp"), c.bytes.has_value());  // an unreadable file stays
    }
}

TEST_F(SettingsFormTest, TheSessionsEndSavesOnceAndTheWindowsEndSavesNoMore) {
    Make(folder.Path());
    form->ckSave.Click();
    ASSERT_TRUE(test::WriteClipboard(writer.Handle(), {.unicode = u"kept"}));
    SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);  // the session goes on
    EXPECT_FALSE(Exists(Ini()));
    SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(Exists(Ini()));
    const IniDocument saved = IniDocument::Parse(ReadBytes(Ini()));
    EXPECT_EQ(saved.GetString("SWL", "CBI", "?"), "1");
    EXPECT_TRUE(saved.HasSection("CBI01"));
    ASSERT_TRUE(DeleteFileW(Ini().c_str()));
    form.reset();
    EXPECT_FALSE(Exists(Ini()));
}

// Other viewers wait on each viewer before them in the chain: at the end of
// the session the window leaves the chain before it saves, so a long save
// holds none of them up.
TEST_F(SettingsFormTest, TheSessionsEndLeavesTheViewerChainBeforeTheSave) {
    Make(folder.Path());
    ASSERT_EQ(GetClipboardViewer(), form->Handle());
    WriteBytes(Ini(), "[SWL]\r\nFTR=0\r\n");
    // A read-only file makes the save report, from inside the save.
    ASSERT_TRUE(SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    std::optional<bool> inChainDuringTheSave;
    form->SettingsDialogSink = [&](TDlgType, const std::u16string&) {
        inChainDuringTheSave = GetClipboardViewer() == form->Handle();
    };
    SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
    SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(inChainDuringTheSave, std::optional<bool>(false));
    EXPECT_TRUE(form->ckMonitor.Checked());  // the setting saved is the user's
}

TEST_F(SettingsFormTest, AReadOnlySettingsFileReportsAndKeepsWhatItHeld) {
    Make(folder.Path());
    const std::string before = "[SWL]\r\nCBI=1\r\n[CBI01]\r\nFormat=13\r\nWText=OM9Z\r\n";
    WriteBytes(Ini(), before);
    ASSERT_TRUE(SetFileAttributesW(Ini().c_str(), FILE_ATTRIBUTE_READONLY));
    form->ckSave.Click();
    form->SaveSettings();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].substr(0, Text("errnotsave").size()), Text("errnotsave"));
    EXPECT_EQ(ReadBytes(Ini()), before);
    EXPECT_FALSE(Exists(Ini() + L".tmp"));
}

// ---- auto-start ------------------------------------------------------------

TEST(SettingsRunValue, APathWithASpaceIsQuoted) {
    EXPECT_EQ(RunCommandFor(L"C:\\Program Files\\SWL.exe"), L"\"C:\\Program Files\\SWL.exe\"");
    EXPECT_EQ(RunCommandFor(L"C:\\Tools\\SWL.exe"), L"C:\\Tools\\SWL.exe");
}

std::optional<std::wstring> RunValue() {
    wchar_t data[4096] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    const LONG r = RegQueryValueExW(key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(data);
}

TEST_F(SettingsFormTest, TheAutoStartBoxWritesTheRunValue) {
    Make(folder.Path());
    form->ckAutoLoad.Click();
    EXPECT_EQ(RunValue(), RunCommandFor(ProgramPath()));
    form->ckAutoLoad.Click();
    EXPECT_EQ(RunValue(), L"");  // cleared, not removed
    EXPECT_TRUE(dialogs.empty());

    // A key that cannot be made is reported.
    form->UseSettingsStore(dir, std::wstring(kTestRunKey) + L"\\" + std::wstring(300, L'k'));
    form->ckAutoLoad.Click();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].substr(0, Text("errregistry").size()), Text("errregistry"));
    EXPECT_TRUE(form->ckAutoLoad.Checked());  // keeps the state the click gave it
}

}  // namespace
}  // namespace swl
