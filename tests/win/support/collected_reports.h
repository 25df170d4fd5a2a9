// The program's error reports collected while a test runs, instead of the
// message box that would block it. Header-only, since the support library
// itself does not link the program's windows (the end-to-end tests use it
// too).
#pragma once

#include <string>
#include <vector>

#include "error_report.h"

namespace swl::test {

// Takes the reports from construction on and puts the previous sink back
// when it goes; declare it before the windows whose reports it should see,
// so that it outlives them.
class CollectedReports {
public:
    CollectedReports()
        : previous_(SetErrorReportSink([this](const std::string& text) { texts_.push_back(text); })) {}
    ~CollectedReports() { SetErrorReportSink(previous_); }
    CollectedReports(const CollectedReports&) = delete;
    CollectedReports& operator=(const CollectedReports&) = delete;

    // The texts as the message box would have shown them, oldest first.
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
    ErrorReportSink previous_;
};

}  // namespace swl::test
