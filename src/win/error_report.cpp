#include "error_report.h"

#include <exception>
#include <new>
#include <utility>

#include "application.h"
#include "error_report_text.h"
#include "widgets/modal_state.h"

namespace swl {
namespace {

ErrorReportSink& Sink() {
    static ErrorReportSink sink;
    return sink;
}

HWND& Owner() {
    static HWND owner = nullptr;
    return owner;
}

}  // namespace

void SetErrorReportOwner(HWND owner) { Owner() = owner; }

ErrorReportSink SetErrorReportSink(ErrorReportSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

void ReportError(std::string_view message) {
    const std::string text = ErrorReportText(message);
    if (Sink()) {
        Sink()(text);
        return;
    }
    // A modal window of the program like the message dialog: while it is
    // open the tray icon opens no menu and a double click shows nothing.
    ModalDialogScope modal;
    MessageBoxA(Owner(), text.c_str(), kApplicationTitle, MB_ICONERROR);
}

void ReportCurrentException() {
    // Reporting must not throw out of a catch block in a window procedure.
    try {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            ReportError("Out of memory");
        } catch (const std::exception& e) {
            ReportError(e.what());
        } catch (...) {
            ReportError("Unexpected error");
        }
    } catch (...) {
    }
}

}  // namespace swl
