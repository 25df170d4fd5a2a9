// TPromptDialog: the program's message dialog component. Set DlgType and
// Message, then RunModal builds a TPromptForm sized to the message (icon,
// markup message, buttons), runs it modally, destroys it and returns its
// modal result. Default-constructed, it carries the configuration the
// program uses: caption "Stashwell", one OK button that is both default and
// cancel button, markup on, topmost, Tahoma 8 pt.
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace swl {

enum class PromptDlgType { Warning, Error, Information, Confirmation, Custom };

// The buttons in their order on the form and in ControlTexts.
enum class PromptButton { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };
inline constexpr int kPromptButtonCount = 11;

using PromptButtons = unsigned;  // a set: bit i for PromptButton i
constexpr PromptButtons ButtonBit(PromptButton b) { return 1u << static_cast<unsigned>(b); }

// The modal result a button closes the dialog with (Help closes nothing: 0).
int PromptButtonResult(PromptButton b);

// The result of closing the dialog with its close box or Alt+F4.
inline constexpr int kPromptCancelResult = 2;

// Button captions (in PromptButton order), then the check box caption and the
// countdown line.
using PromptControlTexts = std::array<std::u16string, 13>;

struct PromptDialogConfig {
    std::u16string dialogCaption = u"Stashwell";
    PromptButtons buttons = ButtonBit(PromptButton::OK);
    PromptButton defaultButton = PromptButton::OK;
    PromptButton cancelButton = PromptButton::OK;
    bool isHTML = true;
    bool topMost = true;
    LOGFONTW font;         // window, message and buttons
    COLORREF fontColor;
    LOGFONTW captionFont;  // the title text
    PromptControlTexts controlTexts{u"&Yes", u"&No", u"OK", u"Cancel", u"&Abort", u"&Retry",
                                    u"&Ignore", u"&All", u"N&o to All", u"Yes to &All", u"&Help",
                                    u"Show next time", u"%d seconds left"};

    PromptDialogConfig();
};

// The system icon and the MessageBeep argument of each type.
HICON PromptIcon(PromptDlgType type);      // nullptr for Custom
UINT PromptBeep(PromptDlgType type);

class TPromptDialog {
public:
    TPromptDialog() = default;

    void SetDlgType(PromptDlgType type) { type_ = type; }
    PromptDlgType DlgType() const { return type_; }
    void SetMessage(std::u16string message) { message_ = std::move(message); }
    const std::u16string& Message() const { return message_; }

    PromptDialogConfig& Config() { return config_; }
    const PromptDialogConfig& Config() const { return config_; }

    // Beeps, builds and shows the window, runs its modal loop until it closes
    // and returns the modal result. The program's other windows take no input
    // meanwhile, while its messages (clipboard notifications, timers) are
    // still handled. `owner` owns the window (nullptr for none).
    int RunModal(HWND owner = nullptr);

private:
    PromptDlgType type_ = PromptDlgType::Information;
    std::u16string message_;
    PromptDialogConfig config_;
};

}  // namespace swl
