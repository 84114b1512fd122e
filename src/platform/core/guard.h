#pragma once
// Qt does not carry exceptions through its event loop, so every event handler, menu handler and
// timer action runs inside Guarded: an exception that escapes is reported once ("An error
// occurred" and the reason) and the application goes on.
#include <QString>
#include <functional>

// Runs action; returns false when it raised (after reporting it).
bool Guarded(const std::function<void()>& action);

// The text of the report for a reason.
QString ErrorReportText(const QString& reason);

// Where Guarded sends its report (the text of ErrorReportText). The application sets one that
// shows it to the user in a message box; until one is set, or after an empty one, the report is
// a line on the error stream. An exception that the reporter raises is dropped.
using ErrorReporter = std::function<void(const QString& report)>;
void SetErrorReporter(ErrorReporter reporter);
