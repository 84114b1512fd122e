#include "platform/core/write_errors.h"

#include "platform/core/outside_text.h"

#include <cerrno>
#include <cstring>

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

IOException WriteFailure(const QString& name, int error) {
  return IOException(QStringLiteral("\"%1\" could not be written: %2").arg(name, SystemReason(error)));
}

IOException WriteRefusal(const QString& name, int error) {
  if (error == EROFS)
    return IOException(
        QStringLiteral("\"%1\" could not be written: the file system that holds it is read-only.").arg(name));
  return IOException(QStringLiteral("\"%1\" is write-protected: you may not change it, so it was left as it is. "
                                    "Save As can save the song under another name.")
                         .arg(name));
}

IOException NewFileRefusal(const QString& name, const QString& folder, int error) {
  if (error == EROFS) return WriteRefusal(name, error);
  return IOException(QStringLiteral("\"%1\" could not be written: the folder \"%2\" does not let you add files (%3).")
                         .arg(name, ShownText(folder), SystemReason(error)));
}

IOException FolderGone(const QString& name, const QString& folder) {
  return IOException(
      QStringLiteral("\"%1\" could not be written: the folder \"%2\" no longer exists (it was moved or deleted).")
          .arg(name, ShownText(folder)));
}

IOException BackupFailure(const QString& name, int error) {
  return IOException(
      QStringLiteral("\"%1\" could not be written: no backup of it could be made (%2), so it was left as it is. "
                     "Save As can save the song under another name.")
          .arg(name, SystemReason(error)));
}

IOException PartialWriteFailure(const QString& name, int error, const QString& backup) {
  return IOException(QStringLiteral("\"%1\" could not be written completely: %2. It was being written over in place "
                                    "and may now hold only part of the song. The song as it was before is in \"%3\".")
                         .arg(name, SystemReason(error), ShownText(backup)));
}
