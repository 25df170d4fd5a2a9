// Helpers shared by the Windows-side tests, the end-to-end tests and the
// helper programs: message pumping with a deadline, a plain window of the
// calling thread, a clipboard viewer, clipboard writing and reading, and
// child processes.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace swl::test {

// Dispatches the calling thread's messages until done() is true or the
// deadline passes; true when done() became true. Waits on the message queue,
// so sent messages from other processes are served while waiting.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Waits for the handle while pumping messages; true when it was signalled.
bool WaitPumping(HANDLE handle, DWORD timeoutMs = 10000);
// Dispatches what is queued now.
void PumpPending();

// Puts the pointer at (x, y) and answers where the system then says it is.
// Under Wine a position read right after the move can still be the old one
// (the display has not seen the warp yet), so this waits for the new one.
POINT MovePointer(int x, int y);
// A mouse button event (MOUSEEVENTF_*) where the pointer is.
void MouseEvent(DWORD flags);
// Moves the pointer there and clicks the left button.
void ClickAt(POINT at);
// Types the key: down and up, as input to whatever has the focus.
void PressKey(WORD vk);
// Types a chord such as {VK_SHIFT, VK_TAB} or {VK_MENU, 'V'}: the keys go
// down in order and come up in reverse.
void PressKeys(std::initializer_list<WORD> keys);

// A hidden top-level window of the calling thread whose messages go to
// OnMessage (DefWindowProc when it returns nothing).
class MessageWindow {
public:
    MessageWindow();
    virtual ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Handle() const { return hwnd_; }

protected:
    virtual std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A well-behaved clipboard viewer: counts the notifications it receives,
// passes them on and keeps the chain intact; leaves the chain when destroyed.
class TestViewer : public MessageWindow {
public:
    ~TestViewer() override;
    void Join();
    void Leave();
    int Notifications() const { return notifications_; }
    HWND Next() const { return next_; }

protected:
    std::optional<LRESULT> OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool joined_ = false;
    HWND next_ = nullptr;
    int notifications_ = 0;
};

// What a test puts on the clipboard in one open span.
struct ClipboardContent {
    std::optional<std::u16string> unicode;  // CF_UNICODETEXT
    std::optional<std::string> text;        // CF_TEXT
    // The text blocks are exactly as long as their text, without a closing
    // zero (and the CF_UNICODETEXT block one odd byte longer).
    bool unterminated = false;
    std::optional<SIZE> bitmap;  // CF_BITMAP of this size
    COLORREF bitmapColor = RGB(10, 200, 30);
    bool excludeFromMonitors = false;       // "ExcludeClipboardContentFromMonitorProcessing"
    bool viewerIgnore = false;              // "Clipboard Viewer Ignore"
    std::optional<DWORD> includeInHistory;  // "CanIncludeInClipboardHistory"
    bool customFormat = false;              // a registered format nobody records
};

inline constexpr char kCustomFormatName[] = "Stashwell Test Format";

// Opens the clipboard for owner, retrying briefly while another process
// holds it; false when the deadline passes.
bool OpenClipboardWithRetry(HWND owner, DWORD timeoutMs = 5000);
// Empties the clipboard and sets the content; true when every format was set.
bool WriteClipboard(HWND owner, const ClipboardContent& content);
bool EmptyTheClipboard(HWND owner);
// The clipboard's Unicode text / 8-bit text; nothing when it has none.
std::optional<std::u16string> ReadClipboardUnicode(HWND owner);
std::optional<std::string> ReadClipboardText(HWND owner);
// The sizes of the clipboard's data blocks (GlobalSize); 0 when absent.
SIZE_T ClipboardBlockSize(HWND owner, UINT format);

// A child process; terminated when the object goes while it still runs.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts exe with the arguments (quoted as needed) in the working
    // directory (the exe's own folder when empty).
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& workDir = {});
    // Waits for the end while pumping; true when it ended.
    bool Wait(DWORD timeoutMs = 20000);
    bool Running() const;
    DWORD ExitCode() const;
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    void Terminate();

private:
    PROCESS_INFORMATION info_{};
};

// The command line's arguments after the exe's name.
std::vector<std::wstring> CommandArguments();

// Writes the file afresh with exactly these bytes; true when all of them were
// written.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The file's first MiB, or "<no file>" when it cannot be opened.
std::string FileBytes(const std::wstring& path);

// A Unix path becomes the Z: path Wine maps it to; Windows paths stay.
std::wstring ToWindowsPath(const std::string& path);
// The folder of the running exe, with a closing backslash.
std::wstring ExeDirectory();
std::wstring Widen(const std::string& utf8);

// A fresh, empty temporary folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // with a closing backslash

private:
    std::wstring path_;
};

}  // namespace swl::test
