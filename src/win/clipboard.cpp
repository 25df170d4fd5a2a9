#include "clipboard.h"

#include "ddb_picture.h"

namespace swl {

TClipboard& TClipboard::Instance() {
    static TClipboard clipboard;
    return clipboard;
}

void TClipboard::Open() {
    if (openCount_ == 0) {
        if (!OpenClipboard(window_)) throw ClipboardError();
        emptied_ = false;
    }
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    // The count reaches 0 before CloseClipboard: a capture that runs inside
    // CloseClipboard (the program's own write being announced) opens afresh.
    if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
    ClipboardSpan span(*this);
    EmptyClipboard();
}

int TClipboard::FormatCount() const { return CountClipboardFormats(); }

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }

HANDLE TClipboard::GetData(UINT format) {
    ClipboardSpan span(*this);
    return GetClipboardData(format);
}

bool TClipboard::SetData(UINT format, HANDLE data) {
    ClipboardSpan span(*this);
    if (!emptied_) {
        Clear();
        emptied_ = true;
    }
    return SetClipboardData(format, data) != nullptr;
}

bool TClipboard::AssignPicture(const DdbPicture& picture) {
    ClipboardSpan span(*this);
    UniqueBitmap bitmap = picture.CopyBitmap();
    if (!bitmap) return false;
    UniquePalette palette;
    if (picture.Palette()) {
        palette = picture.CopyPalette();
        if (!palette) return false;
    }
    if (!SetData(CF_BITMAP, bitmap.get())) return false;
    bitmap.release();  // the clipboard's now
    if (palette) {
        if (!SetData(CF_PALETTE, palette.get())) return false;
        palette.release();
    }
    return true;
}

}  // namespace swl
