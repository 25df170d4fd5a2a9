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
// How the file is changed: only the save at exit writes. It reads the
// whole file once, makes its changes in memory and writes the file once,
// beside itself under a temporary name that then replaces it in one step; a
// failed or interrupted write leaves the previous file as it was. It writes
// each picture under a name the settings file on disk does not use, and
// deletes the pictures that file named only once the new file is in place.
// The load changes nothing on disk. So a crash at any point, or a run that
// never reaches its save, leaves a settings file with the pictures it names,
// and the history it holds comes back at the next start. The only files the
// program ever deletes are its own picture files (picture_file_names.h).
//
// Errors: the message dialog reports "errnotsave" or "errnotload" once per
// save or load, naming what failed. Nothing is retried.
#pragma once

#include <cstddef>
#include <string>

#include "item_limits.h"
#include "settings/settings_ports.h"

namespace swl {

inline constexpr char kSettingsFileName[] = "SWL.ini";
inline constexpr char kSettingsSection[] = "SWL";
// Where a settings file too long to be read is kept when a save replaces it.
inline constexpr char kSettingsBackupName[] = "SWL.ini.bak";

// "CBI" followed by i in upper-case hexadecimal, at least two digits.
std::string ItemSectionName(int i);

// Saves the settings and, when "Save on Exit" is checked, every history item
// (slots 0 to CBCount). Called at shut-down after the program has left the
// clipboard viewer chain. Differences from a key-by-key save through the
// profile functions, for soundness:
// - each item is saved or reported on its own: a picture that cannot be
//   saved (no bitmap file can be made or written, or no memory) leaves its
//   section naming no file, so the load shows the placeholder; every other
//   item is saved, and "errnotsave" names the ones that were not. A picture
//   without pixels is saved as a BMP file of 0 x 0 pixels;
// - a placeholder that stands for a saved picture file the load could not
//   read names that file again: the file is left as it is;
// - the file is written at the end; when that write fails, nothing has
//   changed on disk (no picture written over or deleted) and "errnotsave" is
//   shown;
// - the sections of slots the history does not fill (every item section
//   when the history is not saved) are erased, and the program's own
//   picture files no longer named are deleted: the next start finds no
//   older history;
// - a saved text too long for the history, which the load did not replay,
//   is moved into a section the load does not read ("Unloaded CBI03")
//   rather than written over;
// - a settings file the load could not read is not written at all;
// - a settings file too long to be read is kept as SWL.ini.bak and replaced
//   by a new one; the save never writes one that long (sections the program
//   does not use are dropped first). A temporary file left by a save cut
//   short is removed.
// The hotkey's combination is written also while it is off, so that turning
// it on again brings it back.
void SaveSettings(SettingsContext& context);

// Applies the stored settings by clicking each check box into its state,
// sets transparency and page, shows the main window on a first run and, when
// "Save on Exit" is checked, rebuilds the saved history by putting the items
// on the clipboard in their saved order. Called last when the main window is
// created, with the history empty. The file is left as it is: the saved
// history stays on disk until the exit save replaces it. For soundness:
// - values are read whole, however long;
// - a CBI above 24 is taken as 24; a negative one replays nothing and clears
//   nothing;
// - an item the capture does not record whole is stored into the history
//   directly (item_recorder.h); a clipboard that cannot be emptied does not
//   stop the replay;
// - a saved text longer than the history keeps is not replayed, and
//   "errnotload" names it;
// - a bitmap file is loaded only by a bare name inside the program's
//   directory. One that is there but cannot be read (locked, damaged, no
//   memory) gives the placeholder, stays tied to it for the save, and
//   "errnotload" names it;
// - a settings file that is there but cannot be read gives the defaults
//   without clicking "Auto load with Windows" (the auto-start value stays as
//   it is), and "errnotload" says so.
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
