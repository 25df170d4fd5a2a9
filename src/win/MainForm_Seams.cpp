// TfrmMain: the places later parts of the program fill in. Each does the
// least that keeps the program honest until then; the comment on each says
// what it stands in for.
#include "MainForm.h"
#include "SWLLang.h"

namespace swl {

// The language walk re-captions the whole window; until it exists only the
// status caption follows the language.
void TfrmMain::ckLangClick() { SetStatusCaption(ckMonitor.Checked() ? "statactive" : "statdeactive"); }
void TfrmMain::ApplyLanguage() {}

}  // namespace swl
