// The settings and history file "SWL.ini" in the program's directory, with
// one bitmap file per saved picture beside it.
//
// Section SWL holds AutoLoad, Active, RestoreCB, SaveOnExit, VNUI (booleans
// "1"/"0"), Alpha (0..100), Page (0..2), FTR (first run, always saved as "0")
// CBI (the number of saved history items), HotKey (the quick-paste
// hotkey's text form) and QuickPaste (whether it is on). Slot i of the history is
// saved in section "CBI" + i as two upper-case hex digits, with Format and,
// by format, Text (codec text of the 8-bit text), WText (codec text of the
// UTF-8 form of the wide text) or BMP (the bitmap file's bare name,
// "CBI05.bmp", or "CBI05-1.bmp" from the save after it: any bare name loads).
//
// How the file is changed: each operation reads the whole file once, makes
// its changes in memory and writes the file once, beside itself under a
// temporary name that then replaces it in one step; a failed or interrupted
// write leaves the previous file as it was. A save writes each picture under
// a name the settings file on disk does not use, and deletes the pictures
// that file named only once the new file is in place; the load deletes the
// pictures it has read once the file without their sections is in place.
// So a crash at any point leaves a settings file with the pictures it names.
//
// Errors end an operation at the point where they happen, and what was done
// before stays: the changes made up to that point are written, then the
// message dialog reports "errnotsave" or "errnotload". Nothing is retried.
#pragma once

#include <cstddef>
#include <string>

#include "item_limits.h"
#include "settings/settings_ports.h"

namespace swl {

inline constexpr char kSettingsFileName[] = "SWL.ini";
inline constexpr char kSettingsSection[] = "SWL";

// "CBI" followed by i in upper-case hexadecimal, at least two digits.
std::string ItemSectionName(int i);

// Saves the settings and, when "Save on Exit" is checked, every history item
// (slots 0 to CBCount). Called at shut-down after the program has left the
// clipboard viewer chain. Differences from a key-by-key save through the
// profile functions, for soundness:
// - a picture that cannot be saved (no bitmap file can be made or written)
//   does not end the save: its section names no file, so the load shows the
//   placeholder, every other item is saved, and "errnotsave" names it. A
//   picture without pixels is saved as a BMP file of 0 x 0 pixels;
// - the file is written at the end; when that write fails, nothing has
//   changed on disk (no picture written over or deleted) and "errnotsave" is
//   shown;
// - a settings file too long to be read is replaced by a new one; the save
//   never writes one that long (sections the program does not use are
//   dropped first).
// The hotkey's combination is written also while it is off, so that turning
// it on again brings it back.
void SaveSettings(SettingsContext& context);

// Applies the stored settings by clicking each check box into its state,
// sets transparency and page, shows the main window on a first run and, when
// "Save on Exit" is checked, rebuilds the saved history by putting the items
// on the clipboard in their saved order, erasing their sections. Called last
// when the main window is created, with the history empty. For soundness:
// - values are read whole, however long;
// - a CBI above 24 is taken as 24; a negative one replays nothing and clears
//   nothing;
// - an item that nothing records (monitoring is off, the clipboard is held by
//   another program, the capture could not run) is stored into the history
//   directly, as the capture would have recorded it; a clipboard that cannot
//   be emptied does not stop the replay;
// - a saved text longer than the history keeps is not replayed, and
//   "errnotload" names it;
// - a bitmap file is loaded only by a bare name inside the program's
//   directory, and is deleted (once loaded) only after the settings file
//   without its section is in place;
// - when the settings file cannot be written, the items replayed stay in the
//   history and the file keeps them too; "errnotload" is shown.
// The quick-paste hotkey: a file without HotKey (older versions write none)
// gives the default combination, on; an empty value turns it off and leaves
// the default in the field; a value that is not a usable hotkey gives the
// default, and the dialog says so with "errhotkey" (the next save writes
// the default, so it says so once). QuickPaste, where present, turns it on
// or off whatever HotKey holds; files that have only HotKey load as above.
void LoadSettings(SettingsContext& context);

// The click handler of "Save on Exit": "Restore Clipboard when start" is
// available only while it is checked, and unchecked (directly) otherwise.
void ckSaveClick(SettingsControls& controls);

}  // namespace swl
