#include "platform/core/guard.h"

#include <cstdio>
#include <utility>

#include "platform/core/errors.h"

namespace {
ErrorReporter g_reporter;

void ReportOnErrorStream(const QString& report) {
  std::fprintf(stderr, "%s\n", report.toLocal8Bit().constData());
  std::fflush(stderr);
}
}  // namespace

QString ExceptionReason(const std::exception& e) {
  if (auto* r = dynamic_cast<const RuntimeException*>(&e)) return r->Reason();
  return QString::fromUtf8(e.what());
}

QString ErrorReportText(const QString& reason) { return QStringLiteral("An error occurred: ") + reason; }

void SetErrorReporter(ErrorReporter reporter) { g_reporter = std::move(reporter); }

bool Guarded(const std::function<void()>& action) {
  QString reason;
  try {
    action();
    return true;
  } catch (const std::exception& e) {
    reason = ExceptionReason(e);
  } catch (...) {
    reason = QStringLiteral("Unknown error");
  }
  try {
    if (g_reporter)
      g_reporter(ErrorReportText(reason));
    else
      ReportOnErrorStream(ErrorReportText(reason));
  } catch (...) {
  }
  return false;
}
