// TPromptForm: the window of one run of the message dialog, with its own
// modal loop.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "widgets/child_window.h"
#include "widgets/markup_label.h"
#include "widgets/prompt_dialog.h"

namespace swl {

class TPromptForm : public ChildWindow {
public:
    static constexpr const wchar_t* kClassName = L"TPromptForm";

    TPromptForm(const PromptDialogConfig& config, PromptDlgType type, std::u16string message);
    ~TPromptForm() override;

    // Builds the window, shows it, and returns the modal result once it closes.
    int ShowModal(HWND owner);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Button {
        PromptButton kind;
        HWND hwnd = nullptr;
    };

    bool BuildForm(HWND owner);
    void ShowInWorkArea();
    void RunLoop();
    bool PreTranslate(const MSG& msg);
    void EndModal(int result);
    void Press(PromptButton button);
    void ApplyTopmost();
    void CopyMessage();
    void Paint(HDC dc);
    void PaintTitle();
    HWND ButtonWindow(PromptButton kind) const;

    PromptDialogConfig config_;
    PromptDlgType type_;
    std::u16string message_;
    HICON icon_ = nullptr;
    HFONT font_ = nullptr;
    HFONT captionFont_ = nullptr;
    bool active_ = false;  // how the title bar was last drawn
    RECT imageRect_{};
    TMarkupLabel label_;
    std::vector<Button> buttons_;
    HWND lastFocus_ = nullptr;
    bool done_ = false;
    int result_ = 0;
};

}  // namespace swl
