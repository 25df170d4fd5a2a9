// The program's single way to the Windows clipboard. Opens nest: only the
// first open of a nest opens the Windows clipboard and only the last close
// closes it, and the first write of a nest empties the clipboard, so later
// writes of the same nest add formats beside it.
#pragma once

#include <windows.h>

#include <new>
#include <stdexcept>

namespace swl {

class DdbPicture;

// Raised when the Windows clipboard cannot be opened (another program holds
// it open). Its message is "Cannot open clipboard".
class ClipboardError : public std::runtime_error {
public:
    ClipboardError() : std::runtime_error("Cannot open clipboard") {}
};

class TClipboard {
public:
    // The one accessor of the process, created on first use.
    static TClipboard& Instance();

    // The window the clipboard is opened for: the application window. With
    // none set the clipboard is opened for no window, which is enough to read
    // it but not to write it.
    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    // Throws ClipboardError when the Windows clipboard cannot be opened; the
    // open count is then unchanged.
    void Open();
    // Does nothing when the clipboard is not open.
    void Close();
    int OpenCount() const { return openCount_; }

    // Opens, empties and closes.
    void Clear();
    int FormatCount() const;
    // Needs no open.
    bool HasFormat(UINT format) const;
    // Opens, gets and closes; null when the data cannot be had.
    HANDLE GetData(UINT format);
    // Opens, empties the clipboard if this nest has not yet, sets and closes.
    // On success the clipboard owns the handle; on false it stays the
    // caller's to free.
    bool SetData(UINT format, HANDLE data);
    // Opens, empties once like SetData, sets CF_BITMAP to a new copy of the
    // picture and, when it has a palette, CF_PALETTE to a copy of that, and
    // closes. False when a copy cannot be made or the clipboard refuses it
    // (a picture without a bitmap has no clipboard form).
    bool AssignPicture(const DdbPicture& picture);

private:
    TClipboard() = default;

    HWND window_ = nullptr;
    int openCount_ = 0;
    bool emptied_ = false;
};

// An open span of the clipboard: opened at construction, closed at the end
// of the scope on every path. The throwing form raises ClipboardError; the
// nothrow form records whether the open succeeded.
class ClipboardSpan {
public:
    explicit ClipboardSpan(TClipboard& clipboard) : clipboard_(clipboard) {
        clipboard_.Open();
        open_ = true;
    }
    ClipboardSpan(TClipboard& clipboard, std::nothrow_t) : clipboard_(clipboard) {
        try {
            clipboard_.Open();
            open_ = true;
        } catch (const ClipboardError&) {
        }
    }
    ~ClipboardSpan() { Close(); }
    ClipboardSpan(const ClipboardSpan&) = delete;
    ClipboardSpan& operator=(const ClipboardSpan&) = delete;

    bool IsOpen() const { return open_; }
    // Ends the span early.
    void Close() {
        if (open_) {
            open_ = false;
            clipboard_.Close();
        }
    }

private:
    TClipboard& clipboard_;
    bool open_ = false;
};

}  // namespace swl
