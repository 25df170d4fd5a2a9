#include "settings/settings_file.h"

#include <algorithm>
#include <exception>
#include <new>
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
#include "item_recorder.h"
#include "ini/ini_document.h"
#include "profile_values.h"
#include "settings/background_writer.h"
#include "settings/picture_file_names.h"
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

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
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

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (const auto& part : parts) {
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

// ---- saving -----------------------------------------------------------
//
// A picture file is never written over a file that the settings file on
// disk names: slot i's picture goes under the first of "CBIii.bmp",
// "CBIii-1.bmp", ... that it does not name (so successive saves alternate
// between two names). The new settings file, naming the new pictures, then
// replaces the old one in one step, and the program's own picture files no
// longer named are deleted last. A crash or a failure at any point leaves a
// settings file with the pictures it names: the old ones before the
// replace, the new ones after it.

struct SaveState {
    std::set<std::string> namedOnDisk;  // by the settings file being replaced
    std::set<std::string> taken;        // names no new picture may go under
    bool keepOthers = false;            // delete only what namedOnDisk holds
    std::vector<std::string> written;   // the new picture files
    std::vector<std::string> unsaved;   // sections whose item could not be saved
    // Sections whose picture file is queued, by the writer's ticket.
    std::vector<std::string> queued;
};

// The names slot i's picture may go under: those the settings file on disk
// does not name, nor (while SWL.ini.bak is there) any picture file there.
std::vector<std::string> FreeBitmapNames(int i, const SaveState& st) {
    std::vector<std::string> names;
    for (int choice = 0; choice < kBitmapNameChoices; ++choice) {
        std::string name = BitmapFileName(i, choice);
        if (st.taken.count(FoldedName(name)) == 0) names.push_back(std::move(name));
    }
    return names;
}

// Names each queued picture's file in its section once the writer is done;
// a picture whose file could not be written is noted instead, and its
// section left naming no file (the load shows the placeholder).
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

// Removes the keys of an item section without needing memory, so that a
// section whose item could not be saved reads as an empty record rather
// than as what an earlier save left in it.
void ClearItemKeys(IniDocument& doc, const std::string& s) {
    for (const char* key : {"Format", "Text", "WText", "BMP"}) doc.DeleteKey(s, key);
}

// The BMP file of a picture. The files waiting for the writer hold memory:
// one that could not be made (no memory for it) is tried once more when
// they are on disk, rather than the picture being dropped.
std::optional<std::vector<std::uint8_t>> MakeBmpFile(PictureFiles& pictures, const Picture& picture,
                                                     BackgroundWriter& writer) {
    try {
        if (auto file = pictures.ToBmpFile(picture)) return file;
    } catch (const std::bad_alloc&) {
    }
    writer.WaitUntilIdle();
    return pictures.ToBmpFile(picture);
}

// Saves slot i's section and queues its picture file.
void SaveItem(SettingsContext& c, IniDocument& doc, int i, const std::string& s, SaveState& st,
              BackgroundWriter& writer) {
    const TCBI& item = c.history.CBItems[static_cast<std::size_t>(i)];
    ClearItemKeys(doc, s);
    if (item.Format == kCF_BITMAP && !item.UnreadFile.empty()) {
        // The file the load could not read stays as it is, named again.
        Put(doc, s, "Format", FormatProfileInt(item.Format));
        Put(doc, s, "BMP", item.UnreadFile);
        return;
    }
    std::string value;
    if (item.Format == kCF_TEXT) value = EncodeText(item.Text);
    if (item.Format == kCF_UNICODETEXT) value = EncodeText(ToUtf8Form(item.WText));
    Put(doc, s, "Format", FormatProfileInt(item.Format));
    if (item.Format == kCF_TEXT) {
        Put(doc, s, "Text", value);
    } else if (item.Format == kCF_UNICODETEXT) {
        Put(doc, s, "WText", value);
    } else if (item.Format == kCF_BITMAP && item.Bitmap) {
        auto file = MakeBmpFile(c.pictures, *item.Bitmap, writer);
        if (!file) {
            st.unsaved.push_back(s);
            return;
        }
        st.queued.push_back(s);
        try {
            writer.Write(FreeBitmapNames(i, st), std::move(*file));
        } catch (...) {
            st.queued.pop_back();
            throw;
        }
    }
    // A picture item whose picture could not be copied while the program ran
    // has no file either: the load shows the placeholder.
}

// Each item is saved or noted on its own: an error (no memory) while saving
// one leaves its section reading as an empty record and the save goes on.
void SaveItemOrNote(SettingsContext& c, IniDocument& doc, int i, SaveState& st, BackgroundWriter& writer) {
    const std::string s = ItemSectionName(i);
    try {
        SaveItem(c, doc, i, s, st, writer);
    } catch (const std::exception&) {
        ClearItemKeys(doc, s);
        st.unsaved.push_back(s);  // room reserved before the first item
        try {
            // A picture still comes back, as the placeholder.
            if (c.history.CBItems[static_cast<std::size_t>(i)].Format == kCF_BITMAP)
                Put(doc, s, "Format", FormatProfileInt(kCF_BITMAP));
        } catch (const std::exception&) {
            // Then it reads as an empty record.
        }
    }
}

// Saved texts too long for the history (an earlier version wrote texts of
// any length) are never loaded. They stay in the file, each moved into a
// section of its own that the load does not read ("Unloaded CBI03"),
// instead of being written over by the item saved in their slot. The
// mirror, CBI00, only repeats the newest item and is not kept.
void KeepUnloadedTexts(IniDocument& doc) {
    constexpr std::size_t kMaxEncodedChars = (kMaxStoredTextBytes * 8 + 5) / 6;
    for (int i = 1; i <= kMaxItems; ++i) {
        const std::string s = ItemSectionName(i);
        const std::int32_t format = ParseProfileInt(doc.GetString(s, "Format", ""), 0);
        const char* key = format == kCF_TEXT ? "Text" : format == kCF_UNICODETEXT ? "WText" : nullptr;
        if (!key) continue;
        const std::optional<std::string> value = doc.Get(s, key);
        if (!value || value->size() <= kMaxEncodedChars) continue;
        std::string kept = "Unloaded " + s;
        for (int n = 2; doc.HasSection(kept); ++n) kept = "Unloaded " + s + " " + std::to_string(n);
        Put(doc, kept, "Format", FormatProfileInt(format));
        Put(doc, kept, key, *value);
    }
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

// Deletes the program's own picture files that the new settings file does
// not name: those the old one named, and leftovers under any slot's names
// (from a save that was cut short, or of slots the history no longer fills).
// A file of any other name is never deleted, whatever a section says.
// Failures are ignored: such a file is named by nothing.
void DeleteUnnamedBitmaps(FileLayer& files, const IniDocument& doc, const SaveState& st) {
    const std::set<std::string> named = NamedBitmaps(doc);
    std::set<std::string> candidates;
    for (const auto& name : st.namedOnDisk)
        if (IsOwnPictureName(name)) candidates.insert(name);
    if (!st.keepOthers)
        for (int i = 0; i <= kMaxItems; ++i)
            for (int choice = 0; choice < kBitmapNameChoices; ++choice)
                candidates.insert(FoldedName(BitmapFileName(i, choice)));
    for (const auto& name : candidates)
        if (named.count(name) == 0) files.Remove(name);
}

void RemoveWritten(FileLayer& files, const SaveState& st) {
    for (const auto& name : st.written) files.Remove(name);
}

// Writes the new settings file in the place of the old one. A file too long
// to be read is kept as SWL.ini.bak first: it could never be loaded, but it
// is the user's.
bool WriteSettingsFile(FileLayer& files, std::string_view bytes, bool keepOldAsBackup) {
    if (!keepOldAsBackup) return WriteFileAtomically(files, kSettingsFileName, bytes);
    const std::string temp = TempNameFor(kSettingsFileName);
    if (files.WriteAll(temp, bytes) && files.Replace(kSettingsFileName, kSettingsBackupName)) {
        if (files.Replace(temp, kSettingsFileName)) return true;
        files.Replace(kSettingsBackupName, kSettingsFileName);  // the old one back in its place
    }
    files.Remove(temp);
    return false;
}

// ---- loading ----------------------------------------------------------
//
// The load changes nothing on disk: the saved history stays there until an
// exit save has written the next one, so a run that ends without saving (a
// crash, a kill, a failed save, a log-off cut short) finds it again at the
// next start. Each start replays it once, into a history it has emptied.

struct PictureLoad {
    std::unique_ptr<Picture> picture;
    bool unread = false;  // the file is there but could not be made a picture
};

PictureLoad LoadPicture(SettingsContext& c, const std::string& name) {
    PictureLoad load;
    if (!IsBareFileName(name)) return load;
    const FileRead read = c.files.ReadAll(name, kMaxBmpFileBytes);
    if (read.status == FileRead::Status::Missing) return load;
    load.unread = true;
    if (!read.ok()) return load;
    const BmpReadResult bmp = ReadBmp(Bytes(read.bytes));
    if (!bmp.ok()) return load;
    load.picture = c.pictures.FromBmp(bmp.image);
    load.unread = load.picture == nullptr;
    return load;
}

// The record of section s. The name of a picture file that is there but
// could not be read is added to `unreadFiles`.
TCBI ReadItem(SettingsContext& c, const IniDocument& doc, const std::string& s,
              std::vector<std::string>& unreadFiles) {
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
        PictureLoad load = LoadPicture(c, name);
        r.Bitmap = std::move(load.picture);
        if (!r.Bitmap) r.Bitmap = c.pictures.MakePlaceholder();
        if (load.unread) {
            r.UnreadFile = name;
            unreadFiles.push_back(name);
        }
    }
    return r;
}

// Puts an item on the clipboard so that it becomes the newest history item;
// one that could not be written at all (another program holds the
// clipboard) is stored directly, so that no replayed item is lost.
void Replay(SettingsContext& c, TCBI&& item) {
    if (PutAndRecord(c.history, c.clipboard, std::move(item)) == RecordOutcome::NotWritten)
        RecordDirectly(c.history, std::move(item));  // left as it was by the failed put
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

// `settingsUnread`: the file is there but could not be read, so the
// defaults apply; the auto-start value is then left as the system holds it
// rather than cleared by a default nobody chose.
void RunLoad(SettingsContext& c, const IniDocument& doc, bool settingsUnread, std::vector<std::string>& problems) {
    SettingsControls& ui = c.controls;
    THistory& h = c.history;

    for (const auto& b : kBoxes) {
        const bool v = ParseProfileBool(doc.GetString(kSettingsSection, b.key, ""), b.def);
        if (settingsUnread && b.box == SettingsBox::AutoLoad) {
            ui.SetChecked(b.box, v);
            continue;
        }
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
    if (n < 0 || !ui.Checked(SettingsBox::Save)) return;

    TCBI r0;  // what the clipboard held at start, as the first capture recorded it
    if (h.CBItems[0].Format != 0) THistory::CopyItem(r0, h.CBItems[0]);
    // A clipboard another program holds is not emptied; the items are
    // replayed all the same (and stored directly where the capture cannot
    // record them).
    c.clipboard.Empty();
    h.ClearItems();
    std::vector<std::string> unreadFiles, tooLong;
    for (int i = 0; i <= n; ++i) {
        const std::string s = ItemSectionName(i);
        TCBI r = ReadItem(c, doc, s, unreadFiles);
        // Section CBI00, the saved mirror, is read but not put. A text
        // longer than the history keeps (saved by an earlier version) is
        // refused as the capture refuses it, and reported.
        if (i > 0 && !TextKept(r))
            tooLong.push_back(s);
        else if (i > 0)
            Replay(c, std::move(r));
    }

    if (ui.Checked(SettingsBox::RestoreCB)) {
        if (h.CBItems[0].Format != 0) {
            // The newest item leaves and comes back through the clipboard, so
            // the clipboard holds it as at the last exit.
            TCBI newest;
            THistory::CopyItem(newest, h.CBItems[0]);
            h.DeleteItem(h.CBCount);
            Replay(c, std::move(newest));
        }
    } else if (r0.Format != 0) {
        Replay(c, std::move(r0));
    }
    if (!unreadFiles.empty())
        problems.push_back("saved pictures that cannot be read, kept as they are: " + Joined(unreadFiles, ", "));
    if (!tooLong.empty()) problems.push_back("saved texts too long to keep: " + Joined(tooLong, ", "));
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
    // The user was told at start; writing now would put the defaults in
    // the place of settings nobody has seen.
    if (c.state.unreadAtStart) return;
    const FileRead read = c.files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
    if (read.status == FileRead::Status::Failed) {
        // Writing over a file that could not be read would lose what it holds.
        c.dialog.ShowError(kErrNotSave, std::string(kSettingsFileName) + " cannot be read");
        return;
    }
    // A file too long to be read (from an earlier version) is replaced by a
    // new one and kept as SWL.ini.bak: it could never be loaded, and keeping
    // it in place would fail every start and every exit from now on.
    const bool tooLarge = read.status == FileRead::Status::TooLarge;
    // A temporary file left by a save that was cut short.
    c.files.Remove(TempNameFor(kSettingsFileName));

    SaveState st;
    std::string failure;
    const int count = c.history.CBCount;
    try {
        st.unsaved.reserve(kSlotCount);
        IniDocument doc = read.ok() ? IniDocument::Parse(read.bytes) : IniDocument();
        st.namedOnDisk = NamedBitmaps(doc);
        st.taken = st.namedOnDisk;
        // The pictures a settings file too long to read names (kept as
        // SWL.ini.bak) are not known: while that file is there, every
        // picture file is taken as one of them and is neither written over
        // nor deleted, unless the file being replaced names it.
        st.keepOthers = tooLarge || c.files.ReadAll(kSettingsBackupName, 0).status != FileRead::Status::Missing;
        if (st.keepOthers)
            for (int i = 0; i <= kMaxItems; ++i)
                for (int choice = 0; choice < kBitmapNameChoices; ++choice) {
                    const std::string name = BitmapFileName(i, choice);
                    if (c.files.ReadAll(name, 0).status != FileRead::Status::Missing) st.taken.insert(FoldedName(name));
                }
        BackgroundWriter writer(c.files);
        const bool saveHistory = c.controls.Checked(SettingsBox::Save);
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
            if (saveHistory) Put(doc, kSettingsSection, "CBI", FormatProfileInt(count));
        } catch (const std::exception& e) {
            // The settings are incomplete; the history is saved all the same.
            failure = e.what();
        }
        try {
            KeepUnloadedTexts(doc);
        } catch (const std::exception&) {
            // No memory to move them: the slots are saved all the same.
        }
        if (saveHistory)
            for (int i = 0; i <= count; ++i) SaveItemOrNote(c, doc, i, st, writer);
        // Sections of slots the history does not fill now (all of them when
        // it is not saved) would keep an older history's pictures named.
        for (int i = saveHistory ? count + 1 : 0; i <= kMaxItems; ++i) doc.EraseSection(ItemSectionName(i));
        NameWrittenBitmaps(doc, writer.Finish(), st);
        std::string bytes = doc.Serialize();
        if (bytes.size() > kMaxSettingsFileBytes) {
            DropUnusedSections(doc, count);
            bytes = doc.Serialize();
        }
        if (bytes.size() > kMaxSettingsFileBytes || !WriteSettingsFile(c.files, bytes, tooLarge)) {
            RemoveWritten(c.files, st);
            c.dialog.ShowError(kErrNotSave, std::string(kSettingsFileName) + " cannot be written");
            return;
        }
        bytes = std::string();
        try {
            DeleteUnnamedBitmaps(c.files, doc, st);
        } catch (const std::exception&) {
            // No memory to list them: they stay, named by nothing.
        }
    } catch (const std::exception& e) {  // no memory for the document
        RemoveWritten(c.files, st);
        c.dialog.ShowError(kErrNotSave, e.what());
        return;
    }
    if (!st.unsaved.empty()) {
        if (!failure.empty()) failure += "; ";
        failure += "items not saved: " + Joined(st.unsaved, ", ");
    }
    if (!failure.empty()) c.dialog.ShowError(kErrNotSave, failure);
}

void LoadSettings(SettingsContext& c) {
    std::vector<std::string> problems;
    try {
        FileRead read = c.files.ReadAll(kSettingsFileName, kMaxSettingsFileBytes);
        // Reading never fails: a file that cannot be read gives the defaults.
        const bool unread = read.status == FileRead::Status::Failed || read.status == FileRead::Status::TooLarge;
        if (read.status == FileRead::Status::Failed) {
            c.state.unreadAtStart = true;
            problems.push_back(std::string(kSettingsFileName) + " cannot be read; it is kept as it is");
        } else if (read.status == FileRead::Status::TooLarge) {
            problems.push_back(std::string(kSettingsFileName) + " is too large to be read; the next exit keeps it as " +
                               kSettingsBackupName);
        }
        IniDocument doc;
        if (read.ok()) doc = IniDocument::Parse(read.bytes);
        read.bytes = std::string();
        RunLoad(c, doc, unread, problems);
    } catch (const std::exception& e) {
        // What was done stays done: settings applied, items replayed so far.
        problems.push_back(e.what());
    }
    if (!problems.empty()) c.dialog.ShowError(kErrNotLoad, Joined(problems, "; "));
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
