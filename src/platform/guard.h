#pragma once
// Qt does not carry exceptions through its event loop, so every event handler, menu handler and
// timer action runs inside Guarded: an exception that escapes is reported once to the user
// ("An error occurred" and the reason) and the application goes on.
#include <QString>
#include <functional>

// Runs action; returns false when it raised (after reporting it).
bool Guarded(const std::function<void()>& action);

// The text of the report for a reason.
QString ErrorReportText(const QString& reason);
