#pragma once
// The reasons a write of a file fails, as the user reads them. name is the file's name.
#include <QString>

#include "platform/core/errors.h"

// The system's own text for an error number.
QString SystemReason(int error);

// Nothing was changed: "NAME" could not be written: REASON.
IOException WriteFailure(const QString& name, int error);
// The file may not be changed by this user (or its file system is read-only).
IOException WriteRefusal(const QString& name, int error);
// The file does not exist yet and its folder takes no new file.
IOException NewFileRefusal(const QString& name, const QString& folder, int error);
// The folder that was to hold the file is gone.
IOException FolderGone(const QString& name, const QString& folder);
// The existing file was to be written over in place, but no backup of it could be made first:
// nothing was changed.
IOException BackupFailure(const QString& name, int error);
// The existing file was being written over when error came: it may hold part of the new text, and
// its old content is in the file backup.
IOException PartialWriteFailure(const QString& name, int error, const QString& backup);
