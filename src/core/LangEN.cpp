#include "LangEN.h"

#include <array>

#include "lang_key.h"

namespace swl {
namespace {

struct Entry {
    std::string_view key;
    std::string_view text;
};

constexpr Entry kTable[] = {
    {"ebclipboard", "Stashwell"},
    {"lbshowall", "Show All"},
    {"lbpasteall", "Paste"},
    {"lbclearcb", "Clear Windows Clipboard"},
    {"eboptions", "Options"},
    {"lbsettings", "Settings"},
    {"lbabout", "About"},
    {"lbhide", "Hide Stashwell"},
    {"lbexit", "Exit"},
    {"lbstatushint", "Stashwell 1.1"},
    {"lbabouttitle", "Stash<b>well</b><sup><font size=14>1.1</font><sup>"},
    {"lbaboutdetail",
     "Written by <a href='mailto:author@example.com'>Alex Sample</a><br>"
     "Department of Computer Science,<br>"
     "<a href='http://www.example.org'>Example University</a>, Sampleton,<br>"
     "Exampleland<br>"
     "<br>"
     "Copyright (c) 2005 <a href='http://www.example.net'>Example Software</a><br>"
     "Version 1.1 (Build 20050420)"},
    {"lbpclipboard", "Stashwell Items"},
    {"lbpsettings", "Stashwell Settings"},
    {"ckautoload", "&Auto load with Windows"},
    {"ckmonitor", "&Monitor Windows Clipboard"},
    {"cksave", "&Save on Exit"},
    {"ckrestorecb", "&Restore Clipboard when start"},
    {"cklang", "&Vietnamese interface"},
    {"lbtransparent", "Transparent (Win2K/XP/2K3 only)"},
    {"mishow", "&Show"},
    {"mihide", "&Hide"},
    {"miexit", "E&xit"},
    {"miclear", "&Clear"},
    {"miclearall", "Clear &All"},
    {"micopy", "Copy to Clipboard"},
    {"mipaste", "&Paste"},
    {"miview", "Pre&view"},
    {"errnotsave", "Error: Cannot save settings!"},
    {"errnotload", "Error: Cannot load settings!"},
    {"msgsetfocus", "Please set the focus to application which you want to paste!"},
    {"errregistry", "Error: Cannot access Windows Registry!"},
    {"statactive", "Active"},
    {"statdeactive", "Stopped"},
    {"msgsavedmiss", "Saved clipboard missed."},
    {"msgcbcollected", "Clipboard Items collected"},
    // Quick paste: the hotkey's setting, its messages and the popup.
    {"ckhotkey", "&Quick paste"},
    {"errhotkey", "Error: Cannot read the quick-paste hotkey! This one is used:"},
    {"errhotkeyused", "Error: Another program holds the quick-paste hotkey! Stashwell runs without it:"},
    {"errhotkeymodifier", "A hotkey needs Ctrl, Alt or Win."},
    {"errhotkeyeveryday", "Programs and Windows use this combination every day. Choose another."},
    {"errhotkeynokey", "This key cannot be a hotkey. Choose another."},
    {"lbquickfilter", "Type to filter"},
    {"msghistoryempty", "The history is empty."},
    {"msgnomatch", "No item matches."},
    // Shown by Windows beside the program while the session's end waits for its save.
    {"msgsaving", "Saving the clipboard history..."},
};

constexpr bool AllAscii() {
    for (const auto& e : kTable)
        for (char c : e.text)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
// GetLangText widens these texts byte by byte.
static_assert(AllAscii(), "English texts must be plain ASCII");

constexpr auto kKeys = [] {
    std::array<std::string_view, std::size(kTable)> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = kTable[i].key;
    return keys;
}();

}  // namespace

std::string GetTextEN(std::string_view key) {
    for (const auto& e : kTable)
        if (KeyMatches(e.key, key)) return std::string(e.text);
    return {};
}

std::span<const std::string_view> KeysEN() { return kKeys; }

}  // namespace swl
