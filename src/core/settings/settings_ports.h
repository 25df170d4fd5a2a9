// What the settings load and save need from the main window, the clipboard
// and the system, as small interfaces the Windows front end implements (and
// the tests fake). Everything runs on the main thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "bmp/bmp_reader.h"
#include "history.h"
#include "item_recorder.h"
#include "ini/file_layer.h"
#include "picture.h"
#include "quick_paste/hotkey_text.h"

namespace swl {

// The settings check boxes of the main window.
enum class SettingsBox { AutoLoad, Monitor, RestoreCB, Save, Lang };

class SettingsControls {
public:
    virtual ~SettingsControls() = default;
    virtual bool Checked(SettingsBox box) const = 0;
    // Sets the state; no click handler runs.
    virtual void SetChecked(SettingsBox box, bool checked) = 0;
    // Toggles the box and then runs its click handler, as a user's click
    // does: ckAutoLoadClick, ckMonitorClick, ckSaveClick (settings_file.h),
    // ckLangClick; ckRestoreCB has none.
    virtual void Click(SettingsBox box) = 0;
    virtual void SetEnabled(SettingsBox box, bool enabled) = 0;

    // tbTransparent: 0..100. Setting it runs no change handler.
    virtual int TransparentPosition() const = 0;
    virtual void SetTransparentPosition(int position) = 0;
    // The main window's alpha value (155..255) and whether blending is on.
    virtual void SetWindowAlpha(int alpha, bool blending) = 0;

    // nbMain: 0 Clipboard, 1 Settings, 2 About.
    virtual int PageIndex() const = 0;
    virtual void SetPageIndex(int page) = 0;

    // Shows the main window against the taskbar.
    virtual void ShowMainWindow() = 0;

    // The quick-paste hotkey: the combination in the settings field and
    // whether it is on. Setting them registers the hotkey when it is on (the
    // front end reports a combination another program holds).
    virtual HotKey QuickPasteHotKey() const = 0;
    virtual bool QuickPasteOn() const = 0;
    virtual void SetQuickPaste(const HotKey& hotKey, bool on) = 0;
};

// The clipboard bridge as the replay uses it: Put writes a record onto the
// clipboard, and while monitoring is on the capture records the written
// content before it returns (item_recorder.h). A record of format 2 may come
// without a picture (none could be made): nothing is written then.
class SettingsClipboard : public RecordingClipboard {
public:
    // Opens, empties and closes the Windows clipboard; false when it cannot
    // be opened.
    virtual bool Empty() = 0;
    // Whether the main window is in the clipboard viewer chain.
    virtual bool Monitoring() const = 0;
};

class PictureFiles {
public:
    virtual ~PictureFiles() = default;
    // A new picture from a BMP file the reader has checked (on Windows:
    // CreateDIBitmap from BitmapInfoBytes(image) and image.pixels); null when
    // the system cannot make it.
    virtual std::unique_ptr<Picture> FromBmp(const BmpImage& image) = 0;
    // The picture that stands in for one whose file cannot be loaded: 200 x 32
    // white pixels with the text of "msgsavedmiss" in red bold 10 pt, in the
    // current interface language. Null when no picture can be made.
    virtual std::unique_ptr<Picture> MakePlaceholder() = 0;
    // The BMP file of a picture (at the picture's depth, see WriteBmp);
    // nothing when it cannot be made.
    virtual std::optional<std::vector<std::uint8_t>> ToBmpFile(const Picture& picture) = 0;
};

class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    // Shows the error dialog with the text of `key` ("errnotsave",
    // "errnotload", "errhotkey") in the current language; `detail` says what failed, for
    // the line that names the error's type.
    virtual void ShowError(std::string_view key, std::string_view detail) = 0;
};

// What the load found that the save at exit must respect; one per run of
// the program, kept from the load to the save.
struct SettingsFileState {
    // The settings file exists but could not be read at start (locked, an
    // offline file): the run goes on with the defaults, and the save leaves
    // the file and its pictures as they are instead of writing the defaults
    // over the user's settings.
    bool unreadAtStart = false;
};

struct SettingsContext {
    SettingsControls& controls;
    SettingsClipboard& clipboard;
    PictureFiles& pictures;
    MessageDialog& dialog;
    FileLayer& files;  // the program's directory
    THistory& history;
    SettingsFileState& state;
};

}  // namespace swl
