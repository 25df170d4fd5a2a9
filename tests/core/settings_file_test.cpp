#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <map>
#include <new>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ansi_codepage.h"
#include "fake_clipboard.h"
#include "bmp/memory_picture_bmp.h"
#include "codec.h"
#include "history.h"
#include "ini/ini_document.h"
#include "ini/memory_file_layer.h"
#include "memory_picture.h"
#include "utf8_form.h"

namespace swl {
namespace {

// The settings controls as the window designs them, with their handlers.
class FakeControls final : public SettingsControls {
public:
    explicit FakeControls(FakeClipboard& clipboard) : clipboard_(clipboard) {
        checked[SettingsBox::Monitor] = true;  // ticked in the window's design
    }

    std::map<SettingsBox, bool> checked;
    std::map<SettingsBox, bool> enabled;
    std::map<SettingsBox, int> clicks;
    std::vector<bool> autoStartWrites;  // what ckAutoLoadClick wrote
    int position = 0;
    int alpha = 255;
    bool blending = false;
    int page = 2;
    int pageSets = 0;
    bool shown = false;

    bool Checked(SettingsBox box) const override {
        const auto it = checked.find(box);
        return it != checked.end() && it->second;
    }
    void SetChecked(SettingsBox box, bool value) override { checked[box] = value; }
    void Click(SettingsBox box) override {
        checked[box] = !Checked(box);
        ++clicks[box];
        switch (box) {
            case SettingsBox::AutoLoad: autoStartWrites.push_back(Checked(box)); break;
            case SettingsBox::Monitor: clipboard_.SetMonitoring(Checked(box)); break;
            case SettingsBox::Save: ckSaveClick(*this); break;
            default: break;
        }
    }
    void SetEnabled(SettingsBox box, bool value) override { enabled[box] = value; }
    int TransparentPosition() const override { return position; }
    void SetTransparentPosition(int p) override { position = p; }
    void SetWindowAlpha(int a, bool b) override {
        alpha = a;
        blending = b;
    }
    int PageIndex() const override { return page; }
    void SetPageIndex(int p) override {
        page = p;
        ++pageSets;
    }
    void ShowMainWindow() override { shown = true; }
    HotKey QuickPasteHotKey() const override { return hotKey; }
    bool QuickPasteOn() const override { return hotKeyOn; }
    void SetQuickPaste(const HotKey& k, bool on) override {
        hotKey = k;
        hotKeyOn = on;
        ++hotKeySets;
    }
    HotKey hotKey;
    bool hotKeyOn = false;
    int hotKeySets = 0;

private:
    FakeClipboard& clipboard_;
};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;

// The placeholder: 200 x 32 white with a red mark where the text starts.
bool IsPlaceholder(const Picture* p) {
    const auto* m = dynamic_cast<const MemoryPicture*>(p);
    return m && m->Width() == 200 && m->Height() == 32 && m->Pixel(0, 0) == kWhite &&
           m->Pixel(10, 5) == kRed;
}

class FakePictures final : public PictureFiles {
public:
    std::set<int> failingSaves;   // ToBmpFile calls (0-based) that fail
    std::set<int> throwingSaves;  // and those that run out of memory
    int saveCalls = 0;

    std::unique_ptr<Picture> FromBmp(const BmpImage& image) override {
        auto p = std::make_unique<MemoryPicture>(image.width, image.height);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) p->SetPixel(x, y, image.PixelValue(x, y));
        return p;
    }
    std::unique_ptr<Picture> MakePlaceholder() override {
        auto p = std::make_unique<MemoryPicture>(200, 32, kWhite);
        p->SetPixel(10, 5, kRed);
        return p;
    }
    std::optional<std::vector<std::uint8_t>> ToBmpFile(const Picture& picture) override {
        const int call = saveCalls++;
        if (throwingSaves.count(call) != 0) throw std::bad_alloc();
        if (failingSaves.count(call) != 0) return std::nullopt;
        return MemoryPictureToBmp(dynamic_cast<const MemoryPicture&>(picture));
    }
};

class FakeDialog final : public MessageDialog {
public:
    std::vector<std::string> keys;
    void ShowError(std::string_view key, std::string_view) override { keys.emplace_back(key); }
};

MemoryPicture TestPicture(int variant) {
    MemoryPicture p(4 + variant % 3, 3);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            p.SetPixel(x, y, static_cast<std::uint32_t>(0x010101 * (variant * 7 + x + 3 * y)));
    return p;
}

bool SamePixels(const Picture* a, const MemoryPicture& b) {
    const auto* m = dynamic_cast<const MemoryPicture*>(a);
    return m && m->Width() == b.Width() && m->Height() == b.Height() &&
           std::equal(m->Pixels().begin(), m->Pixels().end(), b.Pixels().begin(), b.Pixels().end());
}

// One run of the program: a fresh window, history and clipboard bridge
// around the clipboard and the files, which outlive it.
class SettingsTest : public testing::Test {
protected:
    struct Run {
        explicit Run(SettingsTest& t)
            : history(view, t.codePage),
              clipboard(history),
              controls(clipboard),
              context{controls, clipboard, t.pictures, t.dialog, t.files, history, state} {}
        ListLinesView view;
        THistory history;
        FakeClipboard clipboard;
        FakeControls controls;
        SettingsFileState state;
        SettingsContext context;
    };

    // Starts the program: `clip` is what the clipboard holds at start.
    Run& Start(const std::optional<std::u16string>& clip = std::nullopt) {
        run_ = std::make_unique<Run>(*this);
        if (clip) run_->clipboard.CopyText(*clip);
        LoadSettings(run_->context);
        return *run_;
    }

    // Leaves the viewer chain and saves, as at shut-down.
    void Exit() {
        run_->clipboard.monitoring = false;
        SaveSettings(run_->context);
    }

    IniDocument File() const {
        const auto it = files.files.find(kSettingsFileName);
        return it == files.files.end() ? IniDocument() : IniDocument::Parse(it->second);
    }
    std::string Value(std::string_view section, std::string_view key) const {
        return File().GetString(section, key, "<none>");
    }
    void WriteFile(const std::string& text) { files.files[kSettingsFileName] = text; }

    // A file with "Save on Exit" on and these sections after the SWL ones.
    void WriteSavedHistory(int cbi, const std::string& sections, bool restore = false,
                           bool active = true) {
        WriteFile(std::string("[SWL]\r\nActive=") + (active ? "1" : "0") + "\r\nRestoreCB=" +
                  (restore ? "1" : "0") + "\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=" +
                  std::to_string(cbi) + "\r\n" + sections);
    }

    static std::string TextSection(int i, const std::u16string& text) {
        return "[" + ItemSectionName(i) + "]\r\nFormat=13\r\nWText=" + EncodeText(ToUtf8Form(text)) +
               "\r\n";
    }

    static std::vector<std::u16string> HistoryTexts(const THistory& h) {
        std::vector<std::u16string> out;
        for (int i = 1; i <= h.CBCount; ++i) out.push_back(h.CBItems[static_cast<std::size_t>(i)].WText);
        return out;
    }

    Cp1252CodePage codePage;
    MemoryFileLayer files;
    FakePictures pictures;
    FakeDialog dialog;
    std::unique_ptr<Run> run_;
};

TEST_F(SettingsTest, FirstStartWithoutAFile) {
    Run& r = Start();
    EXPECT_TRUE(dialog.keys.empty());
    for (const auto box : {SettingsBox::AutoLoad, SettingsBox::Monitor, SettingsBox::RestoreCB,
                           SettingsBox::Save, SettingsBox::Lang})
        EXPECT_EQ(r.controls.clicks[box], 1);  // so each handler runs once
    EXPECT_EQ(r.controls.autoStartWrites, std::vector<bool>{false});
    EXPECT_TRUE(r.clipboard.monitoring);
    EXPECT_FALSE(r.controls.Checked(SettingsBox::RestoreCB));
    EXPECT_FALSE(r.controls.enabled[SettingsBox::RestoreCB]);
    EXPECT_FALSE(r.controls.Checked(SettingsBox::Lang));
    EXPECT_EQ(r.controls.alpha, 255);
    EXPECT_FALSE(r.controls.blending);
    EXPECT_EQ(r.controls.page, 2);
    EXPECT_TRUE(r.controls.shown);
    EXPECT_EQ(r.clipboard.puts, 0);
    EXPECT_TRUE(files.files.empty());  // the load writes nothing
}

TEST_F(SettingsTest, ExitWithoutSaveOnExitWritesTheSettingsKeysAndNoItem) {
    const std::vector<std::uint8_t> bmp = MemoryPictureToBmp(TestPicture(1));
    WriteSavedHistory(2, TextSection(0, u"two") + "[CBI01]\r\nFormat=2\r\nBMP=CBI01.bmp\r\n" +
                             TextSection(2, u"two"));
    files.files["CBI01.bmp"] = std::string(bmp.begin(), bmp.end());
    Run& r = Start(u"at start");
    ASSERT_EQ(r.history.CBCount, 3);
    r.controls.checked[SettingsBox::AutoLoad] = true;
    r.controls.checked[SettingsBox::Lang] = true;
    r.controls.checked[SettingsBox::Save] = false;
    r.controls.checked[SettingsBox::RestoreCB] = false;
    r.controls.position = 40;
    r.controls.page = 1;
    Exit();
    EXPECT_TRUE(dialog.keys.empty());
    // The saved history goes with the exit that does not save one, so the
    // next start begins without it.
    EXPECT_EQ(files.files[kSettingsFileName],
              "[SWL]\r\nActive=1\r\nRestoreCB=0\r\nSaveOnExit=0\r\nFTR=0\r\nCBI=0\r\nAutoLoad=1\r\nVNUI=1\r\n"
              "Alpha=40\r\nPage=1\r\nHotKey=Ctrl+Alt+Insert\r\nQuickPaste=1\r\n");
    EXPECT_FALSE(files.Has("CBI01.bmp"));
    r.controls.checked[SettingsBox::Save] = true;
    IniDocument doc = File();
    doc.Set("SWL", "SaveOnExit", "1");
    WriteFile(doc.Serialize());
    EXPECT_EQ(Start().history.CBCount, 0);
}

struct HotKeyCase {
    std::string file;  // the SWL section's HotKey and QuickPaste lines, if any
    HotKey hotKey;
    bool on;
    bool reported;
    std::string saved;  // HotKey after the next exit
};

TEST_F(SettingsTest, TheQuickPasteHotKeyIsReadAndWrittenBack) {
    const HotKey ctrlShiftV{kHotKeyCtrl | kHotKeyShift, 'V', 0};
    const HotKeyCase cases[] = {
        {"", kDefaultHotKey, true, false, "Ctrl+Alt+Insert"},  // a file from an older version
        {"HotKey=Ctrl+Shift+V\r\n", ctrlShiftV, true, false, "Ctrl+Shift+V"},
        {"HotKey= shift+ctrl+v\r\n", ctrlShiftV, true, false, "Ctrl+Shift+V"},
        {"HotKey=\r\n", kDefaultHotKey, false, false, "Ctrl+Alt+Insert"},  // off, from an older version
        {"HotKey=Ctrl+Nothing\r\n", kDefaultHotKey, true, true, "Ctrl+Alt+Insert"},
        {"HotKey=V\r\n", kDefaultHotKey, true, true, "Ctrl+Alt+Insert"},
        // Refused combinations that earlier versions took.
        {"HotKey=Home\r\n", kDefaultHotKey, true, true, "Ctrl+Alt+Insert"},
        {"HotKey=Shift+Insert\r\n", kDefaultHotKey, true, true, "Ctrl+Alt+Insert"},
        // The switch beside the combination.
        {"HotKey=Ctrl+Shift+V\r\nQuickPaste=0\r\n", ctrlShiftV, false, false, "Ctrl+Shift+V"},
        {"HotKey=Ctrl+Shift+V\r\nQuickPaste=1\r\n", ctrlShiftV, true, false, "Ctrl+Shift+V"},
        {"HotKey=\r\nQuickPaste=1\r\n", kDefaultHotKey, true, false, "Ctrl+Alt+Insert"},
        {"QuickPaste=0\r\n", kDefaultHotKey, false, false, "Ctrl+Alt+Insert"},
        {"HotKey=Ctrl+Shift+V\r\nQuickPaste=maybe\r\n", ctrlShiftV, true, false, "Ctrl+Shift+V"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dialog.keys.clear();
        WriteFile("[SWL]\r\nFTR=0\r\n" + c.file);
        Run& r = Start();
        EXPECT_EQ(r.controls.hotKeySets, 1);
        EXPECT_EQ(r.controls.hotKey, c.hotKey);
        EXPECT_EQ(r.controls.hotKeyOn, c.on);
        EXPECT_EQ(dialog.keys, c.reported ? std::vector<std::string>{"errhotkey"} : std::vector<std::string>{});
        Exit();
        EXPECT_EQ(Value("SWL", "HotKey"), c.saved);

        // What was saved reads without a message.
        dialog.keys.clear();
        Run& again = Start();
        EXPECT_TRUE(dialog.keys.empty());
        EXPECT_EQ(again.controls.hotKeyOn, c.on);
        EXPECT_EQ(again.controls.hotKey, c.hotKey);
    }
}

TEST_F(SettingsTest, TheHotKeySwitchedOffKeepsItsCombination) {
    Run& r = Start();
    r.controls.hotKey = HotKey{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 8, 0};
    Exit();
    EXPECT_EQ(Value("SWL", "HotKey"), "Ctrl+Alt+F9");
    EXPECT_EQ(Value("SWL", "QuickPaste"), "1");
    Run& off = Start();
    off.controls.hotKeyOn = false;
    Exit();
    EXPECT_EQ(Value("SWL", "HotKey"), "Ctrl+Alt+F9");
    EXPECT_EQ(Value("SWL", "QuickPaste"), "0");
    Run& again = Start();
    EXPECT_FALSE(again.controls.hotKeyOn);
    EXPECT_EQ(again.controls.hotKey, (HotKey{kHotKeyCtrl | kHotKeyAlt, kVkF1 + 8, 0}));
}

TEST_F(SettingsTest, TwentyFourItemsSurviveARestartInOrder) {
    WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n");
    Run& first = Start();
    std::vector<std::u16string> texts;
    std::map<int, MemoryPicture> shots;  // slot -> picture
    for (int i = 1; i <= 26; ++i) {  // two more than fit: the first two drop out
        if (i % 5 == 0) {
            shots.emplace(i - 2, TestPicture(i));
            first.clipboard.CopyPicture(TestPicture(i));
        } else {
            first.clipboard.CopyText(u"item " + std::u16string(1, static_cast<char16_t>(0x100 + i)));
        }
    }
    ASSERT_EQ(first.history.CBCount, 24);
    const std::vector<std::u16string> before = HistoryTexts(first.history);
    Exit();
    ASSERT_TRUE(dialog.keys.empty());

    EXPECT_EQ(Value("SWL", "CBI"), "24");
    for (int i = 0; i <= 24; ++i) EXPECT_TRUE(File().HasSection(ItemSectionName(i))) << i;
    EXPECT_FALSE(File().HasSection("CBI19"));
    // Slots 10..15 in CBI0A..CBI0F, in upper-case hex.
    EXPECT_EQ(Value("CBI0A", "WText"), EncodeText(ToUtf8Form(before[9])));
    EXPECT_EQ(Value("CBI0F", "WText"), EncodeText(ToUtf8Form(before[14])));
    EXPECT_EQ(Value("CBI08", "BMP"), "CBI08.bmp");  // the 10th copy, slot 8
    EXPECT_TRUE(files.Has("CBI08.bmp"));
    EXPECT_FALSE(files.Has("CBI08.bmp.tmp"));

    Run& second = Start();
    EXPECT_TRUE(dialog.keys.empty());
    ASSERT_EQ(second.history.CBCount, 24);
    EXPECT_EQ(HistoryTexts(second.history), before);
    for (const auto& [slot, picture] : shots) {
        const TCBI& item = second.history.CBItems[static_cast<std::size_t>(slot)];
        EXPECT_EQ(item.Format, kCF_BITMAP) << slot;
        EXPECT_TRUE(SamePixels(item.Bitmap.get(), picture)) << slot;
    }
    // The saved history stays on disk until the next exit saves it again.
    EXPECT_EQ(Value("SWL", "CBI"), "24");
    EXPECT_TRUE(File().HasSection("CBI18"));
    EXPECT_TRUE(files.Has("CBI08.bmp"));
}

TEST_F(SettingsTest, TransparencyAndPage) {
    struct Case {
        const char* alpha;
        const char* page;
        int position, alphaValue;
        bool blending;
        int shownPage;
    };
    const Case cases[] = {
        {"150", "7", 100, 155, true, 2},
        {"-5", "-1", 0, 255, false, 2},
        {"0x20", "1", 32, 223, true, 1},
        {"junk", "0", 0, 255, false, 0},
    };
    for (const auto& c : cases) {
        WriteFile(std::string("[SWL]\r\nAlpha=") + c.alpha + "\r\nPage=" + c.page + "\r\n");
        Run& r = Start();
        EXPECT_EQ(r.controls.position, c.position) << c.alpha;
        EXPECT_EQ(r.controls.alpha, c.alphaValue) << c.alpha;
        EXPECT_EQ(r.controls.blending, c.blending) << c.alpha;
        EXPECT_EQ(r.controls.page, c.shownPage) << c.page;
    }
}

// A picture file that is there but cannot be read is reported, and the
// save at exit names it again instead of saving the placeholder over it.
TEST_F(SettingsTest, PictureFilesThatCannotBeLoadedGiveThePlaceholder) {
    struct Case {
        const char* name;
        std::string bmpKey;
        std::optional<std::string> file;  // contents of that file
        bool unreadable;                  // the system cannot read it (locked, offline)
        bool kept;                        // reported, and named again by the save
    };
    const std::vector<std::uint8_t> good = MemoryPictureToBmp(TestPicture(1));
    std::string damaged(good.begin(), good.end());
    damaged.resize(damaged.size() - 3);
    const Case cases[] = {
        {"missing file", "CBI01.bmp", std::nullopt, false, false},
        {"damaged file", "CBI01.bmp", damaged, false, true},
        {"locked file", "CBI01.bmp", std::string(good.begin(), good.end()), true, true},
        {"no name", "", std::nullopt, false, false},
        {"a path outside the directory is not followed", "..\\CBI01.bmp", std::string(good.begin(), good.end()),
         false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        files.files.clear();
        files.unreadable.clear();
        dialog.keys.clear();
        if (c.file) files.files[c.bmpKey] = *c.file;
        if (c.unreadable) files.unreadable.insert(c.bmpKey);
        WriteSavedHistory(2, TextSection(0, u"two") + "[CBI01]\r\nFormat=2\r\nBMP=" + c.bmpKey + "\r\n" +
                                 TextSection(2, u"two"));
        Run& r = Start();
        ASSERT_EQ(r.history.CBCount, 2);
        EXPECT_EQ(r.history.CBItems[1].Format, kCF_BITMAP);
        EXPECT_TRUE(IsPlaceholder(r.history.CBItems[1].Bitmap.get()));
        EXPECT_EQ(dialog.keys, c.kept ? std::vector<std::string>{"errnotload"} : std::vector<std::string>{});
        Exit();
        EXPECT_EQ(files.Has(c.bmpKey), c.file.has_value());
        if (c.file) EXPECT_EQ(files.files[c.bmpKey], *c.file);
        if (c.kept) EXPECT_EQ(Value("CBI01", "BMP"), c.bmpKey);

        // Readable again: the picture comes back.
        files.unreadable.clear();
        if (c.kept && c.unreadable) EXPECT_TRUE(SamePixels(Start().history.CBItems[1].Bitmap.get(), TestPicture(1)));
    }
}

TEST_F(SettingsTest, RestoreClipboardDecidesWhatTheClipboardHoldsAfterTheReplay) {
    const std::string three = TextSection(0, u"three") + TextSection(1, u"one") +
                              TextSection(2, u"two") + TextSection(3, u"three");
    {
        WriteSavedHistory(3, three, /*restore=*/true);
        Run& r = Start(u"at start");
        EXPECT_EQ(HistoryTexts(r.history), (std::vector<std::u16string>{u"one", u"two", u"three"}));
        EXPECT_EQ(r.clipboard.content.wide, u"three");
        EXPECT_EQ(r.history.CBItems[0].WText, u"three");
    }
    {
        WriteSavedHistory(3, three, /*restore=*/false);
        Run& r = Start(u"at start");
        EXPECT_EQ(HistoryTexts(r.history),
                  (std::vector<std::u16string>{u"one", u"two", u"three", u"at start"}));
        EXPECT_EQ(r.clipboard.content.wide, u"at start");
    }
    {
        WriteSavedHistory(0, TextSection(0, u"mirror"), /*restore=*/true);
        Run& r = Start(u"at start");
        EXPECT_EQ(r.history.CBCount, 0);
        EXPECT_TRUE(r.clipboard.content.Empty());
    }
}

TEST_F(SettingsTest, SavedCountEdgeCases) {
    // CBI missing: n is 0, the clipboard is emptied, the history cleared and
    // CBI00 read and erased, nothing put (restoring finds no replayed item).
    WriteFile("[SWL]\r\nSaveOnExit=1\r\nRestoreCB=1\r\n" + TextSection(0, u"mirror") +
              TextSection(1, u"one"));
    {
        Run& r = Start(u"at start");
        EXPECT_EQ(r.history.CBCount, 0);
        EXPECT_TRUE(r.clipboard.content.Empty());
        EXPECT_EQ(r.clipboard.puts, 0);
        EXPECT_TRUE(File().HasSection("CBI00"));
        EXPECT_TRUE(File().HasSection("CBI01"));
    }
    // Negative: no replay and no clearing; CBI rewritten as 0.
    WriteSavedHistory(-3, TextSection(0, u"mirror") + TextSection(1, u"one"));
    {
        Run& r = Start(u"at start");
        EXPECT_EQ(HistoryTexts(r.history), std::vector<std::u16string>{u"at start"});
        EXPECT_TRUE(File().HasSection("CBI00"));
    }
    // Far above 24: taken as 24, sections beyond are not read.
    std::string many;
    for (int i = 0; i <= 26; ++i) many += TextSection(i, u"t" + std::u16string(1, static_cast<char16_t>('a' + i)));
    WriteSavedHistory(1000, many);
    {
        Run& r = Start();
        ASSERT_EQ(r.history.CBCount, 24);
        EXPECT_EQ(r.history.CBItems[24].WText, u"ty");
    }
}

TEST_F(SettingsTest, AFormatOneItemIsPutWithItsOwnTextBothWays) {
    WriteSavedHistory(2, "[CBI01]\r\nFormat=13\r\nWText=" + EncodeText(ToUtf8Form(u"other")) +
                             "\r\n[CBI02]\r\nFormat=1\r\nText=" + EncodeText("caf\xE9") + "\r\n");
    Run& r = Start();
    EXPECT_EQ(r.clipboard.content.ansi, "caf\xE9");
    EXPECT_EQ(r.clipboard.content.wide, u"caf\u00E9");
    ASSERT_EQ(r.history.CBCount, 2);
    EXPECT_EQ(r.history.CBItems[2].Format, kCF_UNICODETEXT);  // as the capture records it
    EXPECT_EQ(r.history.CBItems[2].WText, u"caf\u00E9");
}

TEST_F(SettingsTest, ATextLongerThanTheOldReadBufferComesBackWhole) {
    std::u16string text;
    for (int i = 0; i < 3000; ++i) text += static_cast<char16_t>(0x4E00 + i % 500);  // 9000 bytes of UTF-8
    WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n");
    Start().clipboard.CopyText(text);
    Exit();
    Run& r = Start();
    ASSERT_EQ(r.history.CBCount, 1);
    EXPECT_EQ(r.history.CBItems[1].WText, text);
}

// A saved text longer than the history keeps (an earlier version wrote
// them) is reported once and stays on disk, unloaded.
TEST_F(SettingsTest, ASavedTextTooLongToKeepStaysOnDiskUnloaded) {
    const std::string tooLong = EncodeText(std::string(kMaxStoredTextBytes + 1, 'x'));
    WriteSavedHistory(2, "[CBI01]\r\nFormat=1\r\nText=" + tooLong + "\r\n" + TextSection(2, u"two"));
    Run& r = Start();
    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotload"});
    EXPECT_EQ(HistoryTexts(r.history), std::vector<std::u16string>{u"two"});
    Exit();
    EXPECT_EQ(Value("Unloaded CBI01", "Text"), tooLong);
    EXPECT_EQ(Value("Unloaded CBI01", "Format"), "1");
    dialog.keys.clear();
    EXPECT_EQ(HistoryTexts(Start().history), std::vector<std::u16string>{u"two"});
    Exit();
    EXPECT_TRUE(dialog.keys.empty());
    EXPECT_EQ(Value("Unloaded CBI01", "Text"), tooLong);
    EXPECT_FALSE(File().HasSection("Unloaded CBI01 2"));
}

TEST_F(SettingsTest, ReplayWhileMonitoringIsOffKeepsTheItems) {
    WriteFile("[SWL]\r\nActive=0\r\nSaveOnExit=1\r\nFTR=0\r\n");
    {
        Run& r = Start();
        ASSERT_FALSE(r.clipboard.monitoring);
        r.clipboard.monitoring = true;  // the user switches it on for a while
        r.clipboard.CopyText(u"one");
        r.clipboard.CopyPicture(TestPicture(2));
        r.clipboard.CopyText(u"three");
        r.clipboard.monitoring = false;
        Exit();
    }
    for (const bool restore : {false, true}) {
        IniDocument doc = File();
        doc.Set("SWL", "RestoreCB", restore ? "1" : "0");
        WriteFile(doc.Serialize());
        Run& r = Start();
        ASSERT_EQ(r.history.CBCount, 3) << restore;
        EXPECT_EQ(r.history.CBItems[1].WText, u"one");
        EXPECT_TRUE(SamePixels(r.history.CBItems[2].Bitmap.get(), TestPicture(2)));
        EXPECT_EQ(r.history.CBItems[3].WText, u"three");
        EXPECT_EQ(r.history.CBItems[0].WText, u"three");
        EXPECT_EQ(r.view.lines.size(), 3u);
        EXPECT_EQ(r.clipboard.content.wide, u"three");
        Exit();  // saved again for the next round
        EXPECT_EQ(Value("SWL", "CBI"), "3");
    }
}

TEST_F(SettingsTest, AFailedSaveReportsAndLeavesThePreviousFilesAsTheyWere) {
    const std::string previous = "[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=1\r\n[CBI00]\r\nFormat=2\r\nBMP=CBI00.bmp\r\n"
                                 "[CBI01]\r\nFormat=2\r\nBMP=CBI01.bmp\r\n";
    const std::vector<std::uint8_t> old = MemoryPictureToBmp(TestPicture(9));
    WriteFile(previous);
    files.files["CBI00.bmp"] = files.files["CBI01.bmp"] = std::string(old.begin(), old.end());
    const std::map<std::string, std::string, std::less<>> oldBitmaps = {
        {"CBI00.bmp", files.files["CBI00.bmp"]}, {"CBI01.bmp", files.files["CBI01.bmp"]}};

    Run& r = Start();
    ASSERT_EQ(r.history.CBCount, 1);
    ASSERT_EQ(dialog.keys.size(), 0u);
    WriteFile(previous);  // as if the load had been unable to change it
    files.files["CBI00.bmp"] = oldBitmaps.at("CBI00.bmp");
    files.files["CBI01.bmp"] = oldBitmaps.at("CBI01.bmp");
    r.clipboard.monitoring = true;
    r.clipboard.CopyText(u"new text");
    r.clipboard.CopyPicture(TestPicture(3));
    files.readOnly.insert(kSettingsFileName);
    Exit();

    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotsave"});
    EXPECT_EQ(files.files[kSettingsFileName], previous);
    EXPECT_EQ(files.files["CBI00.bmp"], oldBitmaps.at("CBI00.bmp"));
    EXPECT_EQ(files.files["CBI01.bmp"], oldBitmaps.at("CBI01.bmp"));
    EXPECT_FALSE(files.Has("CBI03.bmp"));
    for (const auto& [name, bytes] : files.files) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

// Slots 1..CBCount as "text" or "WxH:checksum" for a picture, slot 0 last.
std::vector<std::string> Describe(const THistory& h) {
    std::vector<std::string> out;
    for (int i = 1; i <= h.CBCount + 1; ++i) {
        const TCBI& item = h.CBItems[static_cast<std::size_t>(i <= h.CBCount ? i : 0)];
        if (item.Format != kCF_BITMAP) {
            out.push_back(ToUtf8Form(item.WText));
            continue;
        }
        const auto* m = dynamic_cast<const MemoryPicture*>(item.Bitmap.get());
        if (!m) {
            out.push_back("no picture");
            continue;
        }
        std::uint32_t sum = 0;
        for (const std::uint32_t v : m->Pixels()) sum = sum * 31 + v;
        out.push_back(std::to_string(m->Width()) + "x" + std::to_string(m->Height()) + ":" + std::to_string(sum));
    }
    return out;
}

// The program's directory with faults. The process ends at one step: the
// change numbered `endAt` (writes, replaces and deletions, counted from 0)
// does not happen, or, with `cutShort`, a write there puts only half its
// bytes on disk; nothing after it runs. Or the folder is read-only: every
// change fails. Or writing a file whose name starts with `throwOnWriteOf`
// throws, as a write that runs out of memory does.
class FaultyFiles final : public FileLayer {
public:
    struct ProcessEnded {};
    explicit FaultyFiles(MemoryFileLayer& files) : files_(files) {}
    int endAt = -1;
    bool cutShort = false;
    bool readOnlyFolder = false;
    std::string throwOnWriteOf;
    int changes = 0;

    FileRead ReadAll(std::string_view name, std::size_t maxBytes) override { return files_.ReadAll(name, maxBytes); }
    bool WriteAll(std::string_view name, std::string_view bytes) override {
        if (!throwOnWriteOf.empty() && name.substr(0, throwOnWriteOf.size()) == throwOnWriteOf)
            throw std::bad_alloc();
        if (Ends()) {
            if (cutShort) files_.WriteAll(name, bytes.substr(0, bytes.size() / 2));
            throw ProcessEnded{};
        }
        return !readOnlyFolder && files_.WriteAll(name, bytes);
    }
    bool Replace(std::string_view from, std::string_view to) override {
        if (Ends()) throw ProcessEnded{};
        return !readOnlyFolder && files_.Replace(from, to);
    }
    bool Remove(std::string_view name) override {
        if (Ends()) throw ProcessEnded{};
        return !readOnlyFolder && files_.Remove(name);
    }

private:
    bool Ends() { return changes++ == endAt; }
    MemoryFileLayer& files_;
};

// Each item is saved or reported on its own: a picture whose file cannot be
// made or written, whatever the reason, comes back as the placeholder, and
// every other item, texts included, comes back as it was.
TEST_F(SettingsTest, APictureThatCannotBeSavedDoesNotStopTheSave) {
    struct Case {
        const char* name;
        std::set<int> failingSaves;   // its BMP file cannot be made (slot 0 is saved first)
        std::set<int> throwingSaves;  // making its BMP file runs out of memory
        bool readOnlyNames;           // no name for its file can be written
        bool writerThrows;            // writing its file runs out of memory
        bool reported;
    };
    const Case cases[] = {
        {"no file can be made", {1, 2}, {}, false, false, true},
        {"no memory for its file", {}, {1, 2}, false, false, true},
        {"no memory until the files before it are written", {}, {1}, false, false, false},
        {"no file can be written", {}, {}, true, false, true},
        {"writing its file throws", {}, {}, false, true, true},
        {"the newest picture has no pixels", {}, {}, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        files.files.clear();
        files.readOnly.clear();
        dialog.keys.clear();
        pictures.saveCalls = 0;
        pictures.failingSaves.clear();
        pictures.throwingSaves.clear();
        // Sections an older save left, which must not come back.
        WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=0\r\n" + TextSection(2, u"stale") +
                  TextSection(3, u"stale") + TextSection(4, u"stale"));
        Run& r = Start();
        r.clipboard.CopyText(u"one");
        r.clipboard.CopyPicture(TestPicture(1));  // slot 2
        r.clipboard.CopyText(u"three");
        const bool emptyNewest = std::string(c.name) == "the newest picture has no pixels";
        r.clipboard.CopyPicture(emptyNewest ? MemoryPicture(0, 0) : TestPicture(4));
        pictures.failingSaves = c.failingSaves;
        pictures.throwingSaves = c.throwingSaves;
        if (c.readOnlyNames)
            for (const char* name : {"CBI02.bmp", "CBI02-1.bmp", "CBI02-2.bmp", "CBI02-3.bmp"})
                files.readOnly.insert(name);
        FaultyFiles faulty(files);
        if (c.writerThrows) faulty.throwOnWriteOf = "CBI02";
        const std::vector<std::string> saved = Describe(r.history);
        r.clipboard.monitoring = false;
        SettingsContext context{r.controls, r.clipboard, pictures, dialog, faulty, r.history, r.state};
        SaveSettings(context);
        EXPECT_EQ(dialog.keys, c.reported ? std::vector<std::string>{"errnotsave"} : std::vector<std::string>{});
        EXPECT_EQ(Value("SWL", "CBI"), "4");

        // Every item comes back; one that could not be saved as the
        // placeholder.
        dialog.keys.clear();
        Run& next = Start();
        EXPECT_TRUE(dialog.keys.empty());
        std::vector<std::string> back = Describe(next.history);
        ASSERT_EQ(next.history.CBCount, 4);
        if (c.reported) {
            EXPECT_TRUE(IsPlaceholder(next.history.CBItems[2].Bitmap.get()));
            back[1] = saved[1];
        }
        EXPECT_EQ(back, saved);
    }
}

TEST_F(SettingsTest, ALoadFromAReadOnlyFileKeepsEverythingWithoutAMessage) {
    const std::vector<std::uint8_t> bmp = MemoryPictureToBmp(TestPicture(4));
    const std::string saved = "[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=2\r\n" + TextSection(1, u"one") +
                              "[CBI02]\r\nFormat=2\r\nBMP=CBI02.bmp\r\n";
    WriteFile(saved);
    files.files["CBI02.bmp"] = std::string(bmp.begin(), bmp.end());
    files.readOnly.insert(kSettingsFileName);
    Run& r = Start();
    EXPECT_TRUE(dialog.keys.empty());
    EXPECT_EQ(r.history.CBCount, 2);
    EXPECT_EQ(files.files[kSettingsFileName], saved);
    EXPECT_TRUE(files.Has("CBI02.bmp"));
}

// Another program holds the clipboard while the saved history is replayed,
// or the capture sees only part of a write: every saved item still reaches
// the history once, in order, whole, and stays saved.
TEST_F(SettingsTest, ReplayKeepsItemsTheCaptureCouldNotRecord) {
    struct Case {
        const char* name;
        bool emptyFails;
        std::set<int> failingPuts;
        std::set<int> capturesHeldOff;  // the capture waits, then the holder lets go
        std::set<int> partialPuts;
    };
    const Case cases[] = {
        {"one put fails", false, {2}, {}, {}},
        {"the clipboard cannot be emptied", true, {}, {}, {}},
        {"the clipboard is held throughout", true, {1, 2, 3, 4}, {}, {}},
        {"the capture waits past the next put", false, {2, 3}, {1}, {}},
        {"the capture sees only the 8-bit text", false, {}, {}, {1}},
    };
    const std::u16string one = u"m\u1ED9t";  // not in the 8-bit code page
    const std::vector<std::uint8_t> bmp = MemoryPictureToBmp(TestPicture(2));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.keys.clear();
        files.files.clear();
        files.files["CBI02.bmp"] = std::string(bmp.begin(), bmp.end());
        WriteSavedHistory(3, TextSection(0, u"three") + TextSection(1, one) +
                                 "[CBI02]\r\nFormat=2\r\nBMP=CBI02.bmp\r\n" + TextSection(3, u"three"));
        run_ = std::make_unique<Run>(*this);
        run_->clipboard.emptyFails = c.emptyFails;
        run_->clipboard.failingPuts = c.failingPuts;
        run_->clipboard.capturesHeldOff = c.capturesHeldOff;
        run_->clipboard.partialPuts = c.partialPuts;
        LoadSettings(run_->context);
        run_->clipboard.ReleaseHold();
        const THistory& h = run_->history;
        EXPECT_TRUE(dialog.keys.empty());
        ASSERT_EQ(h.CBCount, 3);
        EXPECT_EQ(h.CBItems[1].WText, one);
        EXPECT_TRUE(SamePixels(h.CBItems[2].Bitmap.get(), TestPicture(2)));
        EXPECT_EQ(h.CBItems[3].WText, u"three");
        EXPECT_EQ(run_->view.lines.size(), 3u);

        Exit();
        Run& next = Start();
        EXPECT_EQ(HistoryTexts(next.history), (std::vector<std::u16string>{one, u"", u"three"}));
    }
}

// Whatever step of a save the process ends at, also in the middle of a
// write, the next start finds either the history saved before or the new
// one, never a mix of their pictures.
TEST_F(SettingsTest, ASaveCutShortAtAnyStepLeavesTheOldOrTheNewHistory) {
    WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n");
    Run& a = Start();
    a.clipboard.CopyText(u"a1");
    a.clipboard.CopyPicture(TestPicture(2));
    a.clipboard.CopyPicture(TestPicture(3));
    a.clipboard.CopyText(u"a4");
    const std::vector<std::string> oldHistory = Describe(a.history);
    Exit();
    ASSERT_TRUE(dialog.keys.empty());
    const auto oldFiles = files.files;

    auto saveNew = [&](FaultyFiles& faulty) {
        run_ = std::make_unique<Run>(*this);
        Run& b = *run_;
        b.controls.checked[SettingsBox::Save] = true;
        b.clipboard.monitoring = true;
        b.clipboard.CopyText(u"b1");
        b.clipboard.CopyPicture(TestPicture(5));
        b.clipboard.CopyPicture(TestPicture(6));
        const std::vector<std::string> described = Describe(b.history);
        b.clipboard.monitoring = false;
        SettingsContext context{b.controls, b.clipboard, pictures, dialog, faulty, b.history, b.state};
        try {
            SaveSettings(context);
        } catch (const FaultyFiles::ProcessEnded&) {
        }
        return described;
    };

    for (const bool cutShort : {false, true}) {
        bool reachedNew = false;
        for (int step = 0;; ++step) {
            SCOPED_TRACE(std::string(cutShort ? "a write cut short" : "a change left out") + " at change " +
                         std::to_string(step));
            files.files = oldFiles;
            FaultyFiles ending(files);
            ending.endAt = step;
            ending.cutShort = cutShort;
            const std::vector<std::string> newHistory = saveNew(ending);
            const bool completed = ending.changes <= step;
            // The next run ends too, right after its load; the one after
            // that still finds the same history.
            const std::vector<std::string> found = Describe(Start().history);
            EXPECT_TRUE(found == oldHistory || found == newHistory);
            EXPECT_EQ(Describe(Start().history), found);
            reachedNew = reachedNew || found == newHistory;
            EXPECT_TRUE(dialog.keys.empty());
            if (completed) {
                EXPECT_EQ(found, newHistory);
                break;
            }
        }
        EXPECT_TRUE(reachedNew);
    }

    // A picture file that cannot be written over (read-only) does not bring
    // an old picture back under the new history.
    files.files = oldFiles;
    files.readOnly = {"CBI02.bmp", "CBI03.bmp"};
    FaultyFiles never(files);
    const std::vector<std::string> newHistory = saveNew(never);
    EXPECT_TRUE(dialog.keys.empty());
    EXPECT_EQ(Describe(Start().history), newHistory);
}

// A run that does not save (killed, or its save fails) leaves the saved
// history for the next start, which gets it back whole.
TEST_F(SettingsTest, ARunThatEndsWithoutSavingFindsTheSavedHistoryAtTheNextStart) {
    struct Case {
        const char* name;
        bool saves;           // the exit save runs, into a read-only folder
    };
    for (const Case c : {Case{"killed after the load", false}, Case{"the folder is read-only at exit", true}}) {
        SCOPED_TRACE(c.name);
        files.files.clear();
        dialog.keys.clear();
        WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n");
        Run& first = Start();
        first.clipboard.CopyText(u"one");
        first.clipboard.CopyPicture(TestPicture(2));
        first.clipboard.CopyText(u"three");
        const std::vector<std::string> saved = Describe(first.history);
        Exit();

        Run& second = Start();
        ASSERT_EQ(Describe(second.history), saved);
        second.clipboard.monitoring = true;
        second.clipboard.CopyText(u"not saved");
        if (c.saves) {
            FaultyFiles readOnly(files);
            readOnly.readOnlyFolder = true;
            SettingsContext context{second.controls, second.clipboard, pictures, dialog, readOnly,
                                    second.history, second.state};
            second.clipboard.monitoring = false;
            SaveSettings(context);
            EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotsave"});
        }
        EXPECT_EQ(Describe(Start().history), saved);
    }
}

// A section may name any file; the save deletes only the program's own
// picture files, in whatever case their names are written.
TEST_F(SettingsTest, TheSaveDeletesOnlyItsOwnPictureFiles) {
    struct Case {
        std::string named;
        bool deleted;
    };
    const Case cases[] = {
        {"notes.txt", false}, {"SWL.ini", false}, {"CBI01.txt", false}, {"CBI01-9.bmp", false},
        {"xCBI01.bmp", false}, {"cbi01.bmp", true}, {"CBI1A-3.BMP", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        files.files.clear();
        dialog.keys.clear();
        WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=0\r\n[CBI01]\r\nBMP=" + c.named + "\r\n");
        if (c.named != kSettingsFileName) files.files[c.named] = "the user's";
        Run& r = Start();
        r.clipboard.CopyText(u"one");
        r.clipboard.CopyText(u"two");
        r.clipboard.CopyText(u"three");
        Exit();
        EXPECT_TRUE(dialog.keys.empty());
        EXPECT_EQ(Value("SWL", "CBI"), "3");
        if (c.named != kSettingsFileName) EXPECT_EQ(files.Has(c.named), !c.deleted);
    }
}

// A smaller history, or none, leaves no pictures of the slots it no longer
// fills, and no temporary file a cut-short save left.
TEST_F(SettingsTest, TheSaveRemovesWhatAnOlderHistoryLeft) {
    WriteFile("[SWL]\r\nSaveOnExit=1\r\nFTR=0\r\n");
    Run& first = Start();
    for (int i = 1; i <= 4; ++i) first.clipboard.CopyPicture(TestPicture(i));
    Exit();
    for (const char* name : {"CBI03.bmp", "CBI04.bmp"}) ASSERT_TRUE(files.Has(name)) << name;
    files.files[TempNameFor(kSettingsFileName)] = "[SWL]\r\nhalf a fi";

    Run& second = Start();
    second.history.DeleteItem(4);
    second.history.DeleteItem(3);
    Exit();
    EXPECT_EQ(Value("SWL", "CBI"), "2");
    EXPECT_FALSE(File().HasSection("CBI03"));
    EXPECT_FALSE(File().HasSection("CBI04"));
    std::set<std::string> names;
    for (const auto& [name, bytes] : files.files) names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"CBI00-1.bmp", "CBI01-1.bmp", "CBI02-1.bmp", kSettingsFileName}));
    EXPECT_EQ(Describe(Start().history).size(), 3u);
}

// A settings file that cannot be read at start (locked, an offline synced
// file) is said so once and is not written over by the defaults at exit,
// even when it can be read by then; the auto-start value is not cleared.
TEST_F(SettingsTest, ASettingsFileUnreadAtStartIsLeftAsItIs) {
    const std::string users = "[SWL]\r\nAutoLoad=1\r\nSaveOnExit=1\r\nFTR=0\r\nCBI=1\r\n" + TextSection(1, u"one");
    WriteFile(users);
    files.unreadable.insert(kSettingsFileName);
    Run& r = Start();
    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotload"});
    EXPECT_TRUE(r.controls.autoStartWrites.empty());
    EXPECT_FALSE(r.controls.Checked(SettingsBox::Save));
    files.unreadable.clear();
    r.clipboard.monitoring = true;
    r.clipboard.CopyText(u"two");
    Exit();
    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotload"});
    EXPECT_EQ(files.files[kSettingsFileName], users);
    EXPECT_EQ(HistoryTexts(Start().history), std::vector<std::u16string>{u"one"});
}

// A settings file too long to read (an earlier version wrote texts of any
// length) is reported at start and replaced at the next exit, so the
// program recovers instead of failing at every start and exit.
TEST_F(SettingsTest, ASettingsFileTooLongToReadIsReplacedAtTheNextExit) {
    WriteFile("[SWL]\r\nFTR=0\r\n[CBI01]\r\nFormat=1\r\nText=" + std::string(kMaxSettingsFileBytes, 'A') + "\r\n");
    const std::string old = files.files[kSettingsFileName];
    files.files["CBI01.bmp"] = "a picture the kept file may name";
    Start();
    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotload"});
    Exit();
    EXPECT_EQ(dialog.keys, std::vector<std::string>{"errnotload"});
    EXPECT_LT(files.files[kSettingsFileName].size(), std::size_t{4096});
    EXPECT_TRUE(files.files[kSettingsBackupName] == old);  // kept, not lost
    EXPECT_EQ(files.files["CBI01.bmp"], "a picture the kept file may name");
    dialog.keys.clear();
    Start().clipboard.CopyPicture(TestPicture(1));
    run_->controls.checked[SettingsBox::Save] = true;
    Exit();
    EXPECT_TRUE(dialog.keys.empty());
    EXPECT_EQ(files.files["CBI01.bmp"], "a picture the kept file may name");
    EXPECT_EQ(Value("CBI01", "BMP"), "CBI01-1.bmp");
}

}  // namespace
}  // namespace swl
