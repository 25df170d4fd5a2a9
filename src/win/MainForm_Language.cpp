// TfrmMain: the interface language. The checked state of ckLang is the only
// language flag; the walk gives every group, label, check box and menu item
// the text its name has in the string tables, in the order the components
// were created. The window title, the page captions and the notification
// window are not part of the walk.
#include "MainForm.h"
#include "SWLLang.h"

namespace swl {

void TfrmMain::ckLangClick() { ApplyLanguage(); }

void TfrmMain::ApplyLanguage() {
    const bool vietnamese = ckLang.Checked();
    auto text = [vietnamese](const char* name) { return GetLangText(vietnamese, name); };

    // One entry per captioned component; exactly one pointer is set.
    struct Component {
        const char* name;
        TExplorerBarGroup* group = nullptr;
        TMarkupLabel* label = nullptr;
        TCheckBox* box = nullptr;
        TMenuItem* item = nullptr;
    };
    const Component components[] = {
        {"ebclipboard", &ebClipboard},
        {"lbshowall", nullptr, &lbShowAll},
        {"lbpasteall", nullptr, &lbPasteAll},
        {"lbclearcb", nullptr, &lbClearCB},
        {"eboptions", &ebOptions},
        {"lbsettings", nullptr, &lbSettings},
        {"lbabout", nullptr, &lbAbout},
        {"lbhide", nullptr, &lbHide},
        {"lbexit", nullptr, &lbExit},
        {"lbstatushint", nullptr, &lbStatusHint},
        {"lbpclipboard", nullptr, &lbPClipboard},
        {"lbpsettings", nullptr, &lbPSettings},
        {"ckautoload", nullptr, nullptr, &ckAutoLoad},
        {"ckmonitor", nullptr, nullptr, &ckMonitor},
        {"cksave", nullptr, nullptr, &ckSave},
        {"ckrestorecb", nullptr, nullptr, &ckRestoreCB},
        {"cklang", nullptr, nullptr, &ckLang},
        {"ckhotkey", nullptr, nullptr, &ckHotKey},
        {"lbtransparent", nullptr, &lbTransparent},
        {"lbabouttitle", nullptr, &lbAboutTitle},
        {"lbaboutdetail", nullptr, &lbAboutDetail},
        {"micopy", nullptr, nullptr, nullptr, &miCopy},
        {"n1", nullptr, nullptr, nullptr, &N1},
        {"miclear", nullptr, nullptr, nullptr, &miClear},
        {"miclearall", nullptr, nullptr, nullptr, &miClearAll},
        {"mipaste", nullptr, nullptr, nullptr, &miPaste},
        {"n3", nullptr, nullptr, nullptr, &N3},
        {"miview", nullptr, nullptr, nullptr, &miView},
        // Not in the tables: its caption becomes empty; its drawing never
        // shows it.
        {"v1", nullptr, nullptr, nullptr, &v1},
        {"mishow", nullptr, nullptr, nullptr, &miShow},
        {"mihide", nullptr, nullptr, nullptr, &miHide},
        {"n2", nullptr, nullptr, nullptr, &N2},
        {"miexit", nullptr, nullptr, nullptr, &miExit},
    };
    bool menuChanged = false;
    for (const Component& c : components) {
        if (c.group) {
            c.group->SetCaptionText(text(c.name));
        } else if (c.label) {
            c.label->SetCaption(text(c.name));
        } else if (c.box) {
            c.box->SetCaption(text(c.name));
        } else if (c.item && c.item->Caption() != u"-") {
            c.item->SetCaption(text(c.name));
            menuChanged = true;
        }
    }
    // The whole window, its children included: the window does not clip its
    // children, so erasing it alone would blank every child that is not
    // repainted for a text of its own (the track bar, a group whose caption
    // reads the same in both languages).
    if (menuChanged && hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SetStatusCaption(ckMonitor.Checked() ? "statactive" : "statdeactive");
}

}  // namespace swl
