#include "settings/settings_file.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "bmp/bmp_reader.h"
#include "codec.h"
#include "ini/ini_document.h"
#include "profile_values.h"
#include "settings/background_writer.h"
#include "utf8_form.h"

namespace swl {
namespace {

constexpr std::string_view kErrNotSave = "errnotsave";
constexpr std::string_view kErrNotLoad = "errnotload";
constexpr std::string_view kErrHotKey = "errhotkey";
constexpr std::string_view kHotKeyKey = "HotKey";
constexpr std::string_view kQuickPasteKey = "QuickPaste";

// An error that ends a save or load; its text is the dialog's detail.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct BoxKey {
    SettingsBox box;
    const char* key;
    bool def;
};

// The check boxes in the order they are saved and restored.
constexpr BoxKey kBoxes[] = {
    {SettingsBox::AutoLoad, "AutoLoad", false},  {SettingsBox::Monitor, "Active", true},
    {SettingsBox::RestoreCB, "RestoreCB", false}, {SettingsBox::Save, "SaveOnExit", false},
    {SettingsBox::Lang, "VNUI", false},
};

void Put(IniDocument& doc, std::string_view section, std::string_view key, std::string_view value) {
    if (!doc.Set(section, key, value))
        throw SettingsError("a value cannot be written to " + std::string(kSettingsFileName));
}

// Only a plain name inside the program's directory: the name comes from the
// file, and the load deletes what it has read.
bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("\\/:") == std::string_view::npos;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}


// File names compare as the file system compares them: without case.
std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& ch : folded)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return folded;
}

// The bitmap files a document's sections name, folded.
std::set<std::string> NamedBitmaps(const IniDocument& doc) {
    std::set<std::string> names;
    for (const auto& section : doc.SectionNames()) {
        const std::string name = doc.GetString(section, "BMP", "");
        if (IsBareFileName(name)) names.insert(FoldedName(name));
    }
    return names;
}

// ---- saving -----------------------------------------------------------
//
// A picture file is never written over a file that the settings file on
// disk names: slot i's picture goes under the first of "CBIii.bmp",
// "CBIii-1.bmp", ... that it does not name (so successive saves alternate
// between two names). The new settings file, naming the new pictures, then
// replaces the old one in one step, and the files no longer named are
// deleted last. A crash or a failure at any point leaves a settings file
// with the pictures it names: the old ones before the replace, the new ones
// after it.

constexpr int kBitmapNameChoices = 4;

std::string BitmapFileName(int i, int choice) {
    std::string name = ItemSectionName(i);
    if (choice > 0) {
        name += '-';
        name += std::to_string(choice);
    }
    name += ".bmp";
    return name;
}

struct SaveState {
    std::set<std::string> namedOnDisk;  // by the settings file being replaced
    std::vector<std::string> written;   // the new picture files
    std::vector<std::string> unsaved;   // sections whose picture could not be saved
    // Sections whose picture file is queued, by the writer's ticket.
    std::vector<std::string> queued;
};

// The names slot i's picture may go under: those the settings file on disk
// does not name (each slot has names of its own).
std::vector<std::string> FreeBitmapNames(int i, const SaveState& st) {
    std::vector<std::string> names;
    for (int choice = 0; choice < kBitmapNameChoices; ++choice) {
        std::string name = BitmapFileName(i, choice);
        if (st.namedOnDisk.count(FoldedName(name)) == 0) names.push_back(std::move(name));
    }
    return names;
}

// Names each queued picture's file in its section once the writer is done;
// a picture whose file could not be written is noted instead.
void NameWrittenBitmaps(IniDocument& doc, const std::vector<std::optional<std::string>>& names, SaveState& st) {
    for (std::size_t t = 0; t < st.queued.size(); ++t) {
        const std::optional<std::string>& name = t < names.size() ? names[t] : std::nullopt;
        if (name) {
            st.written.push_back(*name);
            Put(doc, st.queued[t], "BMP", *name);
        } else {
            st.unsaved.push_back(st.queued[t]);
        }
    }
}

// Saves slot i's section and queues its picture file. A picture that cannot
// be saved leaves its section without a BMP key, which the load turns into
// the placeholder; it is noted for the report and the save goes on.
void SaveItem(SettingsContext& c, IniDocument& doc, int i, SaveState& st, BackgroundWriter& writer) {
    const std::string s = ItemSectionName(i);
    const TCBI& item = c.history.CBItems[static_cast<std::size_t>(i)];
    doc.DeleteKey(s, "Text");
    doc.DeleteKey(s, "WText");
    doc.DeleteKey(s, "BMP");
    Put(doc, s, "Format", FormatProfileInt(item.Format));

    if (item.Format == kCF_TEXT) {
        Put(doc, s, "Text", EncodeText(item.Text));
    } else if (item.Format == kCF_UNICODETEXT) {
        Put(doc, s, "WText", EncodeText(ToUtf8Form(item.WText)));
    } else if (item.Format == kCF_BITMAP && item.Bitmap) {
        auto file = c.pictures.ToBmpFile(*item.Bitmap);
        if (file) {
            writer.Write(FreeBitmapNames(i, st), std::move(*file));
            st.queued.push_back(s);
        } else {
            st.unsaved.push_back(s);
        }
    }
    // A picture item whose picture could not be copied while the program ran
    // has no file either: the load shows the placeholder.
}

// Keeps only what the load reads (section SWL and the saved items) when the
// document would be longer than a settings file may be: only sections the
// program does not use can make it so.
void DropUnusedSections(IniDocument& doc, int count) {
    std::set<std::string> used = {FoldedName(kSettingsSection)};
    for (int i = 0; i <= count; ++i) used.insert(FoldedName(ItemSectionName(i)));
    for (const auto& section : doc.SectionNames())
        if (used.count(FoldedName(section)) == 0) doc.EraseSection(section);
}

// Deletes the picture files the new settings file does not name: those the
// old one named, and leftovers under the saved slots' names (from a save
// that was cut short). Failures are ignored: such a file is named by nothing.
void DeleteUnnamedBitmaps(FileLayer& files, const IniDocument& doc, int count, const SaveState& st) {
    const std::set<std::string> named = NamedBitmaps(doc);
    std::set<std::string> candidates = st.namedOnDisk;
    for (int i = 0; i <= count; ++i)
        for (int choice = 0; choice < kBitmapNameChoices; ++choice)
            candidates.insert(FoldedName(BitmapFileName(i, choice)));
    for (const auto& name : candidates)
        if (named.count(name) == 0) files.Remove(name);
}

void RemoveWritten(FileLayer& files, const SaveState& st) {
    for (const auto& name : st.written) files.Remove(name);
}

// ---- loading ----------------------------------------------------------

std::unique_ptr<Picture> LoadPicture(SettingsContext& c, const std::string& name) {
    if (!IsBareFileName(name)) return nullptr;
    const FileRead read = c.files.ReadAll(name, kMaxBmpFileBytes);
    if (!read.ok()) return nullptr;
    const BmpReadResult bmp = ReadBmp(Bytes(read.bytes));
    if (!bmp.ok()) return nullptr;
    return c.pictures.FromBmp(bmp.image);
}

// The record of section s. `loadedFile` receives the name of a bitmap file
// that was loaded (and may be deleted once the section is gone).
TCBI ReadItem(SettingsContext& c, const IniDocument& doc, const std::string& s,
              std::string& loadedFile) {
    const AnsiCodePage& cp = c.history.CodePage();
    TCBI r;
    r.Format = ParseProfileInt(doc.GetString(s, "Format", ""), 0);
    if (r.Format == kCF_TEXT) {
        r.FormatName = "CF_TEXT";
        r.Text = DecodeText(doc.GetString(s, "Text", ""));
        r.WText = cp.ToWide(r.Text);
    } else if (r.Format == kCF_UNICODETEXT) {
        r.FormatName = "CF_UNICODETEXT";
        r.WText = FromUtf8Form(DecodeText(doc.GetString(s, "WText", "")));
        r.Text = cp.ToAnsi(r.WText);
    } else if (r.Format == kCF_BITMAP) {
        r.FormatName = "CF_BITMAP";
        r.Text = "Bitmap";
        const std::string name = doc.GetString(s, "BMP", "");
        r.Bitmap = LoadPicture(c, name);
        if (r.Bitmap) {
            loadedFile = name;
        } else {
            r.Bitmap = c.pictures.MakePlaceholder();
        }
    }
    return r;
}

// Stores an item into the history as the capture records what PutOnClipboard
// wrote: a text as format 13 (the wide text up to its first zero, its 8-bit
// form converted from it), a picture as a copy of it.
void RecordDirectly(THistory& history, const TCBI& item) {
    TCBI entry;
    if (item.Format == kCF_TEXT || item.Format == kCF_UNICODETEXT) {
        std::u16string_view wide(item.WText);
        wide = wide.substr(0, wide.find(u'\0'));
        entry.Format = kCF_UNICODETEXT;
        entry.FormatName = "CF_UNICODETEXT";
        entry.WText = std::u16string(wide);
        entry.Text = history.CodePage().ToAnsi(wide);
    } else if (item.Format == kCF_BITMAP && item.Bitmap) {
        entry.Bitmap = item.Bitmap->Copy();
        if (!entry.Bitmap) return;  // nothing was put on the clipboard either
        entry.Format = kCF_BITMAP;
        entry.FormatName = "CF_BITMAP";
        entry.Text = "Bitmap";
    } else {
        return;  // writes nothing, so the capture would record nothing
    }
    history.ReserveSlot();
    history.ShowCountText();
    history.CBItems[static_cast<std::size_t>(history.CBCount)] = std::move(entry);
    history.AddNewestLine();
    THistory::CopyItem(history.CBItems[0],
                       history.CBItems[static_cast<std::size_t>(history.CBCount)]);
}

// Puts an item on the clipboard so that the capture records it. When nothing
// records it (monitoring is off, another program holds the clipboard, the
// capture could not open it after the write) it is stored directly, so that
// no replayed item is lost.
void PutAndRecord(SettingsContext& c, const TCBI& item) {
    const unsigned recordedBefore = c.clipboard.CaptureCount();
    const bool written = c.clipboard.PutOnClipboard(item);
    if (!written || c.clipboard.CaptureCount() == recordedBefore) RecordDirectly(c.history, item);
}

// The load's state, so that an error can still write what was done.
struct LoadState {
    IniDocument doc;
    bool canWrite = true;        // the file was read (or is not there)
    std::string unreadable;      // why it could not be read
    bool changed = false;        // sections erased
    bool written = false;
    std::vector<std::string> consumed;  // bitmap files whose sections are erased
};

// Writes the file and then deletes the bitmap files it no longer names.
bool WriteLoaded(SettingsContext& c, LoadState& st) {
    st.written = true;
    if (!st.canWrite || !WriteFileAtomically(c.files, kSettingsFileName, st.doc.Serialize()))
        return false;
    for (const auto& name : st.consumed) c.files.Remove(name);  // failures are ignored
    return true;
}

void LoadQuickPaste(SettingsContext& c, const IniDocument& doc) {
    HotKey hotKey = kDefaultHotKey;
    bool on = true;
    bool unreadable = false;
    if (const auto stored = doc.Get(kSettingsSection, kHotKeyKey)) {
        const auto parsed = ParseHotKey(*stored);
        if (!parsed)
            unreadable = true;
        else if (parsed->Empty())
            on = false;
        else
            hotKey = *parsed;
    }
    // The switch, where the file has it, says on or off on its own (files
    // before it had only HotKey, empty for off).
    on = ParseProfileBool(doc.GetString(kSettingsSection, kQuickPasteKey, ""), on);
    if (unreadable) c.dialog.ShowError(kErrHotKey, FormatHotKey(kDefaultHotKey));
    c.controls.SetQuickPaste(hotKey, on);
}

void RunLoad(SettingsContext& c, LoadState& st) {
    SettingsControls& ui = c.controls;
    THistory& h = c.history;
    const IniDocument& doc = st.doc;

    for (const auto& b : kBoxes) {
        const bool v = ParseProfileBool(doc.GetString(kSettingsSection, b.key, ""), b.def);
        ui.SetChecked(b.box, !v);
        ui.Click(b.box);
    }

    const int position =
        std::clamp(ParseProfileInt(doc.GetString(kSettingsSection, "Alpha", ""), 0), 0, 100);
    ui.SetTransparentPosition(position);
    ui.SetWindowAlpha(255 - position, position != 0);

    const int page = ParseProfileInt(doc.GetString(kSettingsSection, "Page", ""), 2);
    if (page >= 0 && page <= 2) ui.SetPageIndex(page);

    LoadQuickPaste(c, doc);

    if (ParseProfileBool(doc.GetString(kSettingsSection, "FTR", ""), true)) ui.ShowMainWindow();

    // The program never saves more than 24 items; a larger count would only
    // walk through missing sections.
    const int n = std::min(ParseProfileInt(doc.GetString(kSettingsSection, "CBI", ""), 0), kMaxItems);
    const bool replay = n >= 0 && ui.Checked(SettingsBox::Save);

    TCBI r0;  // what the clipboard held at start, as the first capture recorded it
    std::string tooLong;
    if (replay) {
        if (h.CBItems[0].Format != 0) THistory::CopyItem(r0, h.CBItems[0]);
        // A clipboard another program holds is not emptied; the items are
        // replayed all the same (and stored directly where the capture cannot
        // record them).
        c.clipboard.Empty();
        h.ClearItems();
        for (int i = 0; i <= n; ++i) {
            const std::string s = ItemSectionName(i);
            std::string loadedFile;
            TCBI r = ReadItem(c, doc, s, loadedFile);
            // Section CBI00, the saved mirror, is read but not put. A text
            // longer than the history keeps (saved by an earlier version) is
            // refused as the capture refuses it, and reported.
            if (i > 0 && !TextKept(r))
                tooLong += " " + s;
            else if (i > 0)
                PutAndRecord(c, r);
            st.doc.EraseSection(s);
            st.changed = true;
            if (!loadedFile.empty()) st.consumed.push_back(std::move(loadedFile));
        }
    }
    Put(st.doc, kSettingsSection, "CBI", "0");
    if (!WriteLoaded(c, st))
        throw SettingsError(!st.unreadable.empty() ? st.unreadable
                                                   : std::string(kSettingsFileName) + " cannot be written");

    if (!replay) return;
    if (ui.Checked(SettingsBox::RestoreCB)) {
        if (h.CBItems[0].Format != 0) {
            // The newest item leaves and comes back through the clipboard, so
            // the clipboard holds it as at the last exit.
            TCBI newest;
            THistory::CopyItem(newest, h.CBItems[0]);
            h.DeleteItem(h.CBCount);
            PutAndRecord(c, newest);
        }
    } else if (r0.Format != 0) {
        PutAndRecord(c, r0);
    }
    if (!tooLong.empty()) throw SettingsError("texts too long to keep:" + tooLong);
}

}  // namespace

std::string ItemSectionName(int i) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    auto v = static_cast<unsigned>(i);
    do {
        digits.insert(digits.begin(), kHex[v % 16]);
        v /= 16;
    } while (v != 0);
    if (digits.size() < 2) digits.insert(digits.begin(), '0');
    return "CBI" + digits;
}

void SaveSettings(SettingsContext& c) {
    const FileRead read = c.files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
    if (read.status == FileRead::Status::Failed) {
        // Writing over a file that could not be read would lose what it holds.
        c.dialog.ShowError(kErrNotSave, std::string(kSettingsFileName) + " cannot be read");
        return;
    }
    // A file too long to be read (from an earlier version) is replaced by a
    // new one: it could never be loaded, and keeping it would fail every
    // start and every exit from now on.

    SaveState st;
    std::string failure;
    const int count = c.history.CBCount;
    try {
        IniDocument doc = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
        st.namedOnDisk = NamedBitmaps(doc);
        BackgroundWriter writer(c.files);
        try {
            SettingsControls& ui = c.controls;
            for (const auto& b : kBoxes)
                Put(doc, kSettingsSection, b.key, FormatProfileBool(ui.Checked(b.box)));
            Put(doc, kSettingsSection, "Alpha", FormatProfileInt(ui.TransparentPosition()));
            Put(doc, kSettingsSection, "Page", FormatProfileInt(ui.PageIndex()));
            Put(doc, kSettingsSection, "FTR", "0");
            Put(doc, kSettingsSection, "CBI", "0");
            Put(doc, kSettingsSection, kHotKeyKey, FormatHotKey(ui.QuickPasteHotKey()));
            Put(doc, kSettingsSection, kQuickPasteKey, FormatProfileBool(ui.QuickPasteOn()));
            if (ui.Checked(SettingsBox::Save)) {
                Put(doc, kSettingsSection, "CBI", FormatProfileInt(count));
                for (int i = 0; i <= count; ++i) SaveItem(c, doc, i, st, writer);
            }
        } catch (const std::exception& e) {
            // The save ends here; what it did so far is written below.
            failure = e.what();
        }
        NameWrittenBitmaps(doc, writer.Finish(), st);
        std::string bytes = doc.Serialize();
        if (bytes.size() > kMaxSettingsFileBytes) {
            DropUnusedSections(doc, count);
            bytes = doc.Serialize();
        }
        if (bytes.size() > kMaxSettingsFileBytes || !WriteFileAtomically(c.files, kSettingsFileName, bytes)) {
            RemoveWritten(c.files, st);
            c.dialog.ShowError(kErrNotSave, std::string(kSettingsFileName) + " cannot be written");
            return;
        }
        bytes = std::string();
        try {
            DeleteUnnamedBitmaps(c.files, doc, count, st);
        } catch (const std::exception&) {
            // No memory to list them: they stay, named by nothing.
        }
    } catch (const std::exception& e) {  // no memory for the document
        RemoveWritten(c.files, st);
        c.dialog.ShowError(kErrNotSave, e.what());
        return;
    }
    if (failure.empty() && !st.unsaved.empty()) {
        failure = "pictures not saved:";
        for (const auto& s : st.unsaved) failure += " " + s;
    }
    if (!failure.empty()) c.dialog.ShowError(kErrNotSave, failure);
}

void LoadSettings(SettingsContext& c) {
    LoadState st;
    try {
        FileRead read = c.files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
        // Reading never fails: an unreadable file gives the defaults, but is
        // not written over.
        st.canWrite = read.status != FileRead::Status::Failed && read.status != FileRead::Status::TooLarge;
        if (read.status == FileRead::Status::TooLarge)
            st.unreadable = std::string(kSettingsFileName) + " is too large to be read";
        if (read.ok()) st.doc = IniDocument::Parse(read.bytes);
        read.bytes = std::string();
        RunLoad(c, st);
    } catch (const std::exception& e) {
        // What was done stays done, the sections replayed so far included.
        if (st.changed && !st.written) {
            try {
                WriteLoaded(c, st);
            } catch (const std::exception&) {
                // No memory to write it: the file stays as it was.
            }
        }
        c.dialog.ShowError(kErrNotLoad, e.what());
    }
}

void ckSaveClick(SettingsControls& controls) {
    if (controls.Checked(SettingsBox::Save)) {
        controls.SetEnabled(SettingsBox::RestoreCB, true);
    } else {
        controls.SetEnabled(SettingsBox::RestoreCB, false);
        controls.SetChecked(SettingsBox::RestoreCB, false);
    }
}

}  // namespace swl
