// The real SWL.exe keeps its history across a restart: items saved at exit
// beside the program come back in order, the picture pixel for pixel; the
// auto-start value is there for `reg query`; a read-only settings file is
// reported at exit and left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_windows.h"
#include "test_support.h"

namespace swl::test {
namespace {

constexpr int kPictureW = 29, kPictureH = 11;
COLORREF PatternColour(int x, int y) { return RGB(x * 9 % 256, y * 23 % 256, (x + y) * 5 % 256); }

bool PutPattern(HWND owner) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kPictureW, kPictureH);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < kPictureH; ++y)
        for (int x = 0; x < kPictureW; ++x) SetPixel(dc, x, y, PatternColour(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (!OpenClipboardWithRetry(owner)) return false;
    EmptyClipboard();
    const bool ok = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    return ok;
}

// How many pixels of the clipboard's bitmap differ from the pattern; -1
// when it holds no bitmap of the pattern's size.
int ClipboardPictureDifferences(HWND owner) {
    if (!OpenClipboardWithRetry(owner)) return -1;
    int differences = -1;
    if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        GetObjectW(bitmap, sizeof(bm), &bm);
        if (bm.bmWidth == kPictureW && bm.bmHeight == kPictureH) {
            HDC screen = GetDC(nullptr);
            HDC dc = CreateCompatibleDC(screen);
            HGDIOBJ old = SelectObject(dc, bitmap);
            differences = 0;
            for (int y = 0; y < kPictureH; ++y)
                for (int x = 0; x < kPictureW; ++x) differences += GetPixel(dc, x, y) != PatternColour(x, y);
            SelectObject(dc, old);
            DeleteDC(dc);
            ReleaseDC(nullptr, screen);
        }
    }
    CloseClipboard();
    return differences;
}

std::string RegQueryRunValue(const std::wstring& folder) {
    const std::wstring out = folder + L"reg.txt";
    const std::wstring cmd = L"/c reg query \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v Stashwell > \"" +
                             out + L"\"";
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    // cmd takes the rest of its command line as one command.
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    std::wstring line = std::wstring(L"\"") + system + L"\\cmd.exe\" " + cmd;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return "<no reg>";
    WaitPumping(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return FileBytes(out);
}

TEST(SettingsEndToEnd, TheHistoryAndTheRunValueSurviveARestartAndAReadOnlyFileIsReported) {
    MessageWindow owner;
    ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    TempFolder folder;
    const std::wstring ini = folder.Path() + L"SWL.ini";
    ASSERT_TRUE(WriteFileBytes(ini, "[SWL]\r\nSaveOnExit=1\r\nRestoreCB=1\r\nAutoLoad=1\r\n"));
    const std::u16string vietnamese = u"Xin ch\u00E0o th\u1EBF gi\u1EDBi";
    std::vector<std::u16string> saved;
    {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        ASSERT_TRUE(program.Start());
        ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.text = std::string("ansi text")}));
        ASSERT_TRUE(PumpUntil([&] { return program.Lines().size() == 1; }));
        ASSERT_TRUE(WriteClipboard(owner.Handle(), ClipboardContent{.unicode = vietnamese}));
        ASSERT_TRUE(PumpUntil([&] { return program.Lines().size() == 2; }));
        ASSERT_TRUE(PutPattern(owner.Handle()));
        ASSERT_TRUE(PumpUntil([&] { return program.Lines().size() == 3; }));
        saved = program.Lines();
        ASSERT_TRUE(program.Close());
    }
    EXPECT_NE(FileBytes(ini).find("CBI=3"), std::string::npos);
    // The Vietnamese item is kept as wide text: the UTF-8 form of its codec text.
    EXPECT_NE(FileBytes(ini).find("[CBI02]\r\nFormat=13\r\nWText="), std::string::npos) << FileBytes(ini);
    EXPECT_NE(FileBytes(folder.Path() + L"CBI03.bmp"), "<no file>");
    const std::string reg = RegQueryRunValue(folder.Path());
    EXPECT_NE(reg.find("Stashwell"), std::string::npos) << reg;
    EXPECT_NE(reg.find("SWL.exe"), std::string::npos) << reg;

    ASSERT_TRUE(EmptyTheClipboard(owner.Handle()));
    {
        RunningProgram program(ToWindowsPath(SWL_EXE_PATH), folder.Path());
        ASSERT_TRUE(program.Start());
        ASSERT_TRUE(PumpUntil([&] { return program.Lines().size() == 3; }));
        EXPECT_EQ(program.Lines(), saved);
        EXPECT_EQ(saved[0], u"ansi text");
        // The newest item, the picture, is back on the clipboard unchanged.
        EXPECT_EQ(ClipboardPictureDifferences(owner.Handle()), 0);

        // Now the file may not be changed: the exit says so and keeps it.
        const std::string before = FileBytes(ini);
        ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
        program.PostClose();
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (dialog = FindWindowOf(program.Id(), L"TPromptForm")) && IsWindowVisible(dialog); }, 20000));
        if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.Ended());
        EXPECT_EQ(FileBytes(ini), before);
        SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Leave the user's Run key as the test found it.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE, &key) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(key, L"Stashwell");
        RegCloseKey(key);
    }
}

}  // namespace
}  // namespace swl::test
