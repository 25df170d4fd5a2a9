// TfrmMain: the settings and history file SWL.ini beside the program, and
// the auto-start value under the user's Run key. The order of the load and
// the save lives in the core (settings/settings_file.h); this file connects
// it to the real check boxes, track bar, pages, history and clipboard.
#include <string>

#include "MainForm.h"
#include "SWLLang.h"
#include "clipboard.h"
#include "markup/char_reference.h"
#include "settings/ddb_bmp_files.h"
#include "settings/program_directory.h"
#include "settings/run_key.h"
#include "settings/settings_file.h"
#include "settings/win_file_layer.h"

namespace swl {
namespace {

std::u16string Widen16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

class FormControls final : public SettingsControls {
public:
    explicit FormControls(TfrmMain& form) : form_(form) {}

    bool Checked(SettingsBox box) const override { return Box(box).Checked(); }
    void SetChecked(SettingsBox box, bool checked) override { Box(box).SetChecked(checked); }
    void Click(SettingsBox box) override { Box(box).Click(); }
    void SetEnabled(SettingsBox box, bool enabled) override { EnableWindow(Box(box).Handle(), enabled); }
    int TransparentPosition() const override { return form_.TransparencyPosition(); }
    // Setting the position applies the window's alpha with it.
    void SetTransparentPosition(int position) override { form_.SetTransparencyPosition(position); }
    void SetWindowAlpha(int, bool) override {}
    int PageIndex() const override { return form_.PageIndex(); }
    void SetPageIndex(int page) override { form_.SetPageIndex(page); }
    void ShowMainWindow() override { form_.miShowClick(); }
    HotKey QuickPasteHotKey() const override { return form_.QuickPasteKey; }
    bool QuickPasteOn() const override { return form_.QuickPasteOn(); }
    void SetQuickPaste(const HotKey& hotKey, bool on) override { form_.SetQuickPaste(hotKey, on); }

private:
    TCheckBox& Box(SettingsBox box) const {
        switch (box) {
        case SettingsBox::AutoLoad: return form_.ckAutoLoad;
        case SettingsBox::Monitor: return form_.ckMonitor;
        case SettingsBox::RestoreCB: return form_.ckRestoreCB;
        case SettingsBox::Save: return form_.ckSave;
        case SettingsBox::Lang: break;
        }
        return form_.ckLang;
    }
    TfrmMain& form_;
};

class FormClipboard final : public SettingsClipboard {
public:
    explicit FormClipboard(TfrmMain& form) : form_(form) {}
    bool Empty() override {
        try {
            TClipboard::Instance().Clear();
            return true;
        } catch (const ClipboardError&) {
            return false;
        }
    }
    Written Put(const TCBI& item) override { return form_.Put(item); }
    unsigned CaptureCount() const override { return form_.CaptureCount(); }
    void TakeAsRecorded() override { form_.TakeAsRecorded(); }
    bool Monitoring() const override { return form_.ckMonitor.Checked(); }

private:
    TfrmMain& form_;
};

class FormDialog final : public MessageDialog {
public:
    explicit FormDialog(TfrmMain& form) : form_(form) {}
    void ShowError(std::string_view key, std::string_view detail) override {
        form_.ShowSettingsError(GetLangText(form_.ckLang.Checked(), key), detail);
    }

private:
    TfrmMain& form_;
};

}  // namespace

void TfrmMain::UseSettingsStore(std::wstring folder, std::wstring runKeyPath) {
    SettingsFolder = std::move(folder);
    RunKeyPath = std::move(runKeyPath);
    settingsStoreInUse_ = true;
}

bool TfrmMain::SettingsStoreInUse() const { return settingsStoreInUse_ || options_.loadSettingsFile; }

std::wstring TfrmMain::SettingsDirectory() const {
    return SettingsFolder.empty() ? ProgramDirectory() : SettingsFolder;
}

void TfrmMain::ShowSettingsError(const std::u16string& text, std::string_view detail) {
    std::u16string message = text;
    // The detail is plain text (a file name, a combination such as
    // "Ctrl+&"): shown as it is, not read as markup.
    if (!detail.empty()) message += u"<br>" + Widen16(EscapeMarkupText(detail));
    if (SettingsDialogSink) {
        SettingsDialogSink(TDlgType::Error, message);
        return;
    }
    ShowDialog(TDlgType::Error, message);
}

void TfrmMain::RunSettings(bool load) {
    const std::wstring folder = SettingsDirectory();
    if (folder.empty()) {
        // Without the program's path there is nowhere to keep the file.
        ShowSettingsError(GetLangText(ckLang.Checked(), load ? "errnotload" : "errnotsave"),
                          "the program's directory is unknown");
        return;
    }
    WinFileLayer files(folder);
    FormControls controls(*this);
    FormClipboard clipboard(*this);
    FormDialog dialog(*this);
    DdbPictureFiles pictures([this] { return GetLangText(ckLang.Checked(), "msgsavedmiss"); });
    SettingsContext context{controls, clipboard, pictures, dialog, files, History, settingsFileState_};
    if (load)
        swl::LoadSettings(context);
    else
        swl::SaveSettings(context);
}

void TfrmMain::LoadSettings() {
    if (!SettingsStoreInUse()) {
        ApplyDefaultSettings();
        return;
    }
    RunSettings(true);
}

void TfrmMain::SaveSettings() {
    // Saved once: at the end of the session or when the window goes,
    // whichever comes first.
    if (settingsSaved_ || !SettingsStoreInUse()) return;
    settingsSaved_ = true;
    RunSettings(false);
}

namespace {

// While it lives, Windows (Vista on) shows the reason beside the program
// when the session ends, instead of ending it as unresponsive; earlier
// systems have no such call and end it when it answers.
class ShutdownBlock {
public:
    ShutdownBlock(HWND hwnd, const std::u16string& reason) : hwnd_(hwnd) {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        if (!user32) return;
        using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
        const auto create = reinterpret_cast<Create>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonCreate")));
        destroy_ = reinterpret_cast<Destroy>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ShutdownBlockReasonDestroy")));
        blocked_ = create && destroy_ && create(hwnd_, reinterpret_cast<const wchar_t*>(reason.c_str()));
    }
    ~ShutdownBlock() {
        if (blocked_) destroy_(hwnd_);
    }
    ShutdownBlock(const ShutdownBlock&) = delete;
    ShutdownBlock& operator=(const ShutdownBlock&) = delete;

private:
    using Destroy = BOOL(WINAPI*)(HWND);
    HWND hwnd_;
    Destroy destroy_ = nullptr;
    bool blocked_ = false;
};

}  // namespace

void TfrmMain::WMEndSession(bool ending) {
    // The process may end as soon as this returns: what would be saved at
    // exit is saved now. Other viewers wait on this window for each change
    // while it is in the clipboard viewer chain, so it leaves the chain
    // first and the save holds none of them up.
    if (!ending) return;
    LeaveViewerChain();
    ShutdownBlock block(hwnd_, u"Stashwell :: " + GetLangText(ckLang.Checked(), "msgsaving"));
    SaveSettings();
}

// Brings each settings box into its default state the way the load does:
// set it to the opposite, then click it, so each box's handler runs once, in
// the load's order.
void TfrmMain::ApplyDefaultSettings() {
    struct Default {
        TCheckBox& box;
        bool value;
    };
    const Default defaults[] = {
        {ckAutoLoad, false}, {ckMonitor, true}, {ckRestoreCB, false}, {ckSave, false}, {ckLang, false},
    };
    for (const auto& d : defaults) {
        d.box.SetChecked(!d.value);
        d.box.Click();
    }
}

void TfrmMain::ckAutoLoadClick() {
    if (!SettingsStoreInUse()) return;
    std::wstring data;
    if (ckAutoLoad.Checked()) {
        const std::wstring path = ProgramPath();
        if (path.empty()) {
            ShowSettingsError(GetLangText(ckLang.Checked(), "errregistry"), "the program's path is unknown");
            return;
        }
        data = RunCommandFor(path);
    }
    const LONG result = WriteRunValue(RunKeyPath, kRunValueName, data);
    if (result != ERROR_SUCCESS)
        ShowSettingsError(GetLangText(ckLang.Checked(), "errregistry"),
                          "registry error " + std::to_string(result));
}

void TfrmMain::ckSaveClick() {
    FormControls controls(*this);
    swl::ckSaveClick(controls);
}

}  // namespace swl
