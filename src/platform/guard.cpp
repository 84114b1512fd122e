#include "platform/guard.h"

#include "platform/dialogs.h"
#include "platform/errors.h"

QString ExceptionReason(const std::exception& e) {
  if (auto* r = dynamic_cast<const RuntimeException*>(&e)) return r->Reason();
  return QString::fromUtf8(e.what());
}

QString ErrorReportText(const QString& reason) { return QStringLiteral("An error occurred: ") + reason; }

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
    Dialogs::Current().MsgBox(ErrorReportText(reason));
  } catch (...) {
  }
  return false;
}
