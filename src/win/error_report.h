// The general error report: an error that escapes an event handler is shown
// in a message box (MessageBoxA, MB_ICONERROR) captioned with the
// application title, and the program goes on. Every window procedure of the
// program catches at its boundary and reports here, so no exception ever
// unwinds through the system's code.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace swl {

// Shows the report for an error message (the full stop rule applied).
void ReportError(std::string_view message);
// Reports the exception being handled; call only inside a catch block.
void ReportCurrentException();

// The window the message box belongs to (the application window).
void SetErrorReportOwner(HWND owner);

// Where reports go instead of the message box, given the text as shown.
// An empty sink restores the message box. Returns the previous sink. Tests
// use it so that no modal box blocks them.
using ErrorReportSink = std::function<void(const std::string& text)>;
ErrorReportSink SetErrorReportSink(ErrorReportSink sink);

}  // namespace swl
