#include "test_support.h"

#include <shellapi.h>

#include <cstring>

namespace swl::test {
namespace {

constexpr wchar_t kMessageWindowClass[] = L"SWLTestMessageWindow";

void RegisterMessageWindowClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kMessageWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

HGLOBAL BlockOf(const void* data, SIZE_T size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!block) return nullptr;
    void* p = GlobalLock(block);
    if (size) std::memcpy(p, data, size);
    GlobalUnlock(block);
    return block;
}

bool SetBlock(UINT format, const void* data, SIZE_T size) {
    HGLOBAL block = BlockOf(data, size);
    if (!block) return false;
    if (SetClipboardData(format, block)) return true;
    GlobalFree(block);
    return false;
}

HBITMAP MakeBitmap(SIZE size, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size.cx, size.cy};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    int slashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        if (c == L'"') out.append(slashes * 2 + 1, L'\\');
        else out.append(slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, L'\\');
    return out + L"\"";
}

// Milliseconds left until a deadline, measured with the wrapping tick count.
class Deadline {
public:
    explicit Deadline(DWORD ms) : start_(GetTickCount()), ms_(ms) {}
    DWORD Left() const {
        const DWORD elapsed = GetTickCount() - start_;
        return elapsed >= ms_ ? 0 : ms_ - elapsed;
    }
    bool Passed() const { return Left() == 0; }

private:
    DWORD start_;
    DWORD ms_;
};

}  // namespace

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // a test's form ended the loop it has none of
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const Deadline deadline(timeoutMs);
    for (;;) {
        PumpPending();
        if (done()) return true;
        const DWORD left = deadline.Left();
        if (left == 0) return false;
        // Wakes on any message; the short cap also re-checks conditions that
        // change without a message (another process's clipboard writes).
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 20 ? left : 20, QS_ALLINPUT);
    }
}

POINT MovePointer(int x, int y) {
    SetCursorPos(x, y);
    POINT at{};
    PumpUntil([&] { return GetCursorPos(&at) && at.x == x && at.y == y; }, 2000);
    return at;
}

void MouseEvent(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void ClickAt(POINT at) {
    MovePointer(at.x, at.y);
    MouseEvent(MOUSEEVENTF_LEFTDOWN);
    MouseEvent(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD vk) { PressKeys({vk}); }

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD vk : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        in.push_back(down);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(up);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

bool WaitPumping(HANDLE handle, DWORD timeoutMs) {
    const Deadline deadline(timeoutMs);
    for (;;) {
        PumpPending();
        const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, deadline.Left(), QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
    }
}

MessageWindow::MessageWindow() {
    RegisterMessageWindowClass(&MessageWindow::WindowProc);
    CreateWindowExW(0, kMessageWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                    this);
}

MessageWindow::~MessageWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

std::optional<LRESULT> MessageWindow::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT CALLBACK MessageWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (auto handled = self->OnMessage(msg, wParam, lParam)) return *handled;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TestViewer::~TestViewer() { Leave(); }

void TestViewer::Join() {
    if (joined_) return;
    joined_ = true;
    next_ = SetClipboardViewer(Handle());
}

void TestViewer::Leave() {
    if (!joined_) return;
    joined_ = false;
    ChangeClipboardChain(Handle(), next_);
}

std::optional<LRESULT> TestViewer::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        ++notifications_;
        if (next_) SendMessageW(next_, msg, wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == next_)
            next_ = reinterpret_cast<HWND>(lParam);
        else if (next_)
            SendMessageW(next_, msg, wParam, lParam);
        return 0;
    default:
        return std::nullopt;
    }
}

bool OpenClipboardWithRetry(HWND owner, DWORD timeoutMs) {
    const Deadline deadline(timeoutMs);
    while (!OpenClipboard(owner)) {
        if (deadline.Passed()) return false;
        PumpPending();
        Sleep(1);
    }
    return true;
}

bool WriteClipboard(HWND owner, const ClipboardContent& c) {
    if (!OpenClipboardWithRetry(owner)) return false;
    bool ok = EmptyClipboard() != 0;
    if (c.unicode) {
        std::string bytes(reinterpret_cast<const char*>(c.unicode->data()), c.unicode->size() * 2);
        if (c.unterminated)
            bytes.push_back('\x7F');  // an odd last byte, and still no zero unit
        else
            bytes.append(2, '\0');
        ok &= SetBlock(CF_UNICODETEXT, bytes.data(), bytes.size());
    }
    if (c.text) ok &= SetBlock(CF_TEXT, c.text->c_str(), c.text->size() + (c.unterminated ? 0 : 1));
    if (c.bitmap) {
        HBITMAP bitmap = MakeBitmap(*c.bitmap, c.bitmapColor);
        if (bitmap && SetClipboardData(CF_BITMAP, bitmap)) {
        } else {
            if (bitmap) DeleteObject(bitmap);
            ok = false;
        }
    }
    const DWORD zero = 0;
    if (c.excludeFromMonitors)
        ok &= SetBlock(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"), &zero, sizeof(zero));
    if (c.viewerIgnore) ok &= SetBlock(RegisterClipboardFormatA("Clipboard Viewer Ignore"), &zero, sizeof(zero));
    if (c.includeInHistory) {
        const DWORD value = *c.includeInHistory;
        ok &= SetBlock(RegisterClipboardFormatA("CanIncludeInClipboardHistory"), &value, sizeof(value));
    }
    if (c.customFormat) ok &= SetBlock(RegisterClipboardFormatA(kCustomFormatName), "data", 4);
    ok &= CloseClipboard() != 0;
    return ok;
}

bool EmptyTheClipboard(HWND owner) {
    if (!OpenClipboardWithRetry(owner)) return false;
    const bool ok = EmptyClipboard() != 0;
    return CloseClipboard() && ok;
}

std::optional<std::u16string> ReadClipboardUnicode(HWND owner) {
    if (!OpenClipboardWithRetry(owner)) return std::nullopt;
    std::optional<std::u16string> text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const char16_t*>(GlobalLock(h))) {
            const SIZE_T units = GlobalSize(h) / 2;
            std::u16string all(p, units);
            text = all.substr(0, all.find(u'\0'));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

std::optional<std::string> ReadClipboardText(HWND owner) {
    if (!OpenClipboardWithRetry(owner)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(h))) {
            std::string all(p, GlobalSize(h));
            text = all.substr(0, all.find('\0'));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

SIZE_T ClipboardBlockSize(HWND owner, UINT format) {
    if (!OpenClipboardWithRetry(owner)) return 0;
    HANDLE h = GetClipboardData(format);
    const SIZE_T size = h ? GlobalSize(h) : 0;
    CloseClipboard();
    return size;
}

ChildProcess::~ChildProcess() {
    if (Running()) Terminate();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& args, const std::wstring& workDir) {
    std::wstring line = Quote(exe);
    for (const auto& a : args) line += L" " + Quote(a);
    std::wstring dir = workDir;
    if (dir.empty()) dir = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          dir.empty() ? nullptr : dir.c_str(), &startup, &info_) != 0;
}

bool ChildProcess::Wait(DWORD timeoutMs) { return info_.hProcess && WaitPumping(info_.hProcess, timeoutMs); }

bool ChildProcess::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ChildProcess::Terminate() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
}

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::wstring ToWindowsPath(const std::string& path) {
    std::wstring out = Widen(path);
    if (!out.empty() && out[0] == L'/') out = L"Z:" + out;
    for (auto& c : out)
        if (c == L'/') c = L'\\';
    return out;
}

std::vector<std::wstring> CommandArguments() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return {};
    std::vector<std::wstring> args(argv + 1, argv + argc);
    LocalFree(argv);
    return args;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(h);
    return ok && wrote == bytes.size();
}

std::string FileBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<no file>";
    std::string bytes(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

std::wstring ExeDirectory() {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring path(buffer, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned serial = 0;
    for (;;) {
        path_ = std::wstring(base) + L"swl-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++serial) + L"\\";
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((path_ + found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
}

}  // namespace swl::test
