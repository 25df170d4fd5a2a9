#include "settings/settings_file.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "bmp/bmp_reader.h"
#include "codec.h"
#include "ini/ini_document.h"
#include "profile_values.h"
#include "utf8_form.h"

namespace swl {
namespace {

constexpr std::string_view kErrNotSave = "errnotsave";
constexpr std::string_view kErrNotLoad = "errnotload";
constexpr std::string_view kErrHotKey = "errhotkey";
constexpr std::string_view kHotKeyKey = "HotKey";

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

std::string BitmapFileName(int i) { return ItemSectionName(i) + ".bmp"; }

// Only a plain name inside the program's directory: the name comes from the
// file, and the load deletes what it has read.
bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("\\/:") == std::string_view::npos;
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string_view Bytes(const std::vector<std::uint8_t>& v) {
    return {reinterpret_cast<const char*>(v.data()), v.size()};
}

// ---- saving -----------------------------------------------------------

// A bitmap file to settle once the settings file is written: either a new
// picture waiting under its temporary name, or a file to delete.
struct PendingBitmap {
    std::string name;
    bool staged = false;
};

// Saves slot i's section (and stages its bitmap file). Throws SettingsError
// when the picture cannot be saved; the section then stays as far as it got.
void SaveItem(SettingsContext& c, IniDocument& doc, int i, std::vector<PendingBitmap>& pending) {
    const std::string s = ItemSectionName(i);
    const std::string f = BitmapFileName(i);
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
        // The old file goes whatever happens next, as it would when deleted
        // before the picture is saved.
        pending.push_back({f, false});
        const auto file = c.pictures.ToBmpFile(*item.Bitmap);
        if (!file) throw SettingsError("the picture " + f + " cannot be saved");
        if (!c.files.WriteAll(TempNameFor(f), Bytes(*file))) {
            c.files.Remove(TempNameFor(f));
            throw SettingsError(f + " cannot be written");
        }
        pending.back().staged = true;
        Put(doc, s, "BMP", f);
        return;
    } else if (item.Format == kCF_BITMAP) {
        // No picture to save: the name leads the load to the placeholder.
        Put(doc, s, "BMP", f);
    }
    pending.push_back({f, false});
}

void DropStaged(FileLayer& files, const std::vector<PendingBitmap>& pending) {
    for (const auto& p : pending)
        if (p.staged) files.Remove(TempNameFor(p.name));
}

// Puts staged pictures in place and deletes the files of slots without one.
// Returns false when a staged picture could not be put in place; its name is
// then made to lead to no file, so the load shows the placeholder rather than
// an older picture.
bool SettleBitmaps(FileLayer& files, const std::vector<PendingBitmap>& pending) {
    bool ok = true;
    for (const auto& p : pending) {
        if (!p.staged) {
            files.Remove(p.name);  // a missing file or a failed deletion is no error
        } else if (!files.Replace(TempNameFor(p.name), p.name)) {
            files.Remove(TempNameFor(p.name));
            files.Remove(p.name);
            ok = false;
        }
    }
    return ok;
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

void PutAndRecord(SettingsContext& c, const TCBI& item) {
    c.clipboard.PutOnClipboard(item);
    if (!c.clipboard.Monitoring()) RecordDirectly(c.history, item);
}

// The load's state, so that an error can still write what was done.
struct LoadState {
    IniDocument doc;
    bool canWrite = true;        // the file was read (or is not there)
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
    if (replay) {
        if (h.CBItems[0].Format != 0) THistory::CopyItem(r0, h.CBItems[0]);
        if (!c.clipboard.Empty()) throw SettingsError("the clipboard cannot be opened");
        h.ClearItems();
        for (int i = 0; i <= n; ++i) {
            const std::string s = ItemSectionName(i);
            std::string loadedFile;
            TCBI r = ReadItem(c, doc, s, loadedFile);
            // Section CBI00, the saved mirror, is read but not put.
            if (i > 0) PutAndRecord(c, r);
            st.doc.EraseSection(s);
            st.changed = true;
            if (!loadedFile.empty()) st.consumed.push_back(std::move(loadedFile));
        }
    }
    Put(st.doc, kSettingsSection, "CBI", "0");
    if (!WriteLoaded(c, st))
        throw SettingsError(std::string(kSettingsFileName) + " cannot be written");

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

    std::vector<PendingBitmap> pending;
    std::string failure;
    try {
        IniDocument doc = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
        try {
            SettingsControls& ui = c.controls;
            for (const auto& b : kBoxes)
                Put(doc, kSettingsSection, b.key, FormatProfileBool(ui.Checked(b.box)));
            Put(doc, kSettingsSection, "Alpha", FormatProfileInt(ui.TransparentPosition()));
            Put(doc, kSettingsSection, "Page", FormatProfileInt(ui.PageIndex()));
            Put(doc, kSettingsSection, "FTR", "0");
            Put(doc, kSettingsSection, "CBI", "0");
            Put(doc, kSettingsSection, kHotKeyKey, ui.QuickPasteOn() ? FormatHotKey(ui.QuickPasteHotKey()) : "");
            if (ui.Checked(SettingsBox::Save)) {
                Put(doc, kSettingsSection, "CBI", FormatProfileInt(c.history.CBCount));
                for (int i = 0; i <= c.history.CBCount; ++i) SaveItem(c, doc, i, pending);
            }
        } catch (const std::exception& e) {
            // The save ends here; what it did so far is written below.
            failure = e.what();
        }
        if (!WriteFileAtomically(c.files, kSettingsFileName, doc.Serialize())) {
            DropStaged(c.files, pending);
            c.dialog.ShowError(kErrNotSave, std::string(kSettingsFileName) + " cannot be written");
            return;
        }
    } catch (const std::exception& e) {  // no memory for the document
        DropStaged(c.files, pending);
        c.dialog.ShowError(kErrNotSave, e.what());
        return;
    }
    if (!SettleBitmaps(c.files, pending) && failure.empty())
        failure = "a picture file cannot be put in place";
    if (!failure.empty()) c.dialog.ShowError(kErrNotSave, failure);
}

void LoadSettings(SettingsContext& c) {
    LoadState st;
    try {
        FileRead read = c.files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
        // Reading never fails: an unreadable file gives the defaults, but is
        // not written over.
        st.canWrite = read.status != FileRead::Status::Failed;
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
