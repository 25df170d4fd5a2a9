// The clipboard item record and the 26-slot history store: slot 0 mirrors
// the clipboard, slots 1..CBCount hold the history, oldest first.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "ansi_codepage.h"
#include "picture.h"

namespace swl {

// Clipboard format numbers the history records.
inline constexpr std::int32_t kCF_TEXT = 1;
inline constexpr std::int32_t kCF_BITMAP = 2;
inline constexpr std::int32_t kCF_UNICODETEXT = 13;

struct TCBI {
    std::int32_t Format = 0;  // 0 marks an empty record
    std::string FormatName;
    std::unique_ptr<Picture> Bitmap;  // only for format 2
    std::string Text;     // 8-bit text in the ANSI code page ("Bitmap" for pictures)
    std::u16string WText;
    // A placeholder picture that stands for a saved picture file the load
    // could not read: that file's bare name. The save names the file again
    // instead of saving the placeholder, so the file is never written over.
    std::string UnreadFile;

    // Format 0, empty texts, picture released. The texts' storage is given
    // back too: an emptied slot holds no memory.
    void Empty();
};

// The two displays the store keeps in step: the history list (one line per
// item) and the count bar.
class HistoryView {
public:
    virtual ~HistoryView() = default;
    virtual void AddLine(const std::u16string& text) = 0;
    virtual void DeleteLine(int index) = 0;
    virtual void DeleteAllLines() = 0;
    virtual void SetLightValue(int value) = 0;
    virtual void SetLightText(const std::u16string& text) = 0;
};

inline constexpr int kSlotCount = 26;
inline constexpr int kMaxItems = 24;
inline constexpr std::size_t kLineTextBytes = 100;

class THistory {
public:
    THistory(HistoryView& view, const AnsiCodePage& codePage);

    std::array<TCBI, kSlotCount> CBItems;
    std::int32_t CBCount = 0;

    // Makes dest an independent copy of src (its own copy of the picture).
    // Copying a record onto itself changes nothing. Returns false when the
    // picture could not be copied (drawing resources exhausted): dest then
    // has src's format and texts but no picture, so readers of a format 2
    // record must be ready for a missing Bitmap.
    static bool CopyItem(TCBI& dest, const TCBI& src);

    // Makes room for one new item and counts it: slot CBCount is then the
    // slot for the new item (dropping the oldest when 24 are held).
    void ReserveSlot();
    // Removes the oldest item (slot 1) and the top list line; the count bar
    // is not touched. ReserveSlot calls it with 24 items held; with fewer it
    // still removes just the oldest, and with none it does nothing.
    void DropOldest();
    // Removes the item in slot k (1..CBCount); any other k does nothing.
    void DeleteItem(int k);
    // Empties all 26 slots, the list and the count.
    void ClearItems();

    // Adds the list line for slot CBCount (after the capture filled it).
    void AddNewestLine();
    // Sets the count bar's text to the count text.
    void ShowCountText();

    // The list line of an item: its first 100 bytes of Text, widened.
    std::u16string LineText(const TCBI& item) const;
    // CBCount followed by "/24".
    std::string CountText() const;

    // Releases the pictures of all slots (at shut-down).
    void ReleasePictures();

    HistoryView& View() { return view_; }
    const AnsiCodePage& CodePage() const { return codePage_; }

private:
    HistoryView& view_;
    const AnsiCodePage& codePage_;
};

}  // namespace swl
