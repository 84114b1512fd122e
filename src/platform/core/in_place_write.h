#pragma once
// Writing a file's new content into the file itself, for when it cannot be replaced by a new one
// without losing something it has (a second name, its owner, an attribute, an inode flag).
#include <QByteArray>
#include <QString>

#include "platform/core/file_stamp.h"

// Writes bytes over the regular file at path (name is its name, for messages). Reserves the new
// length first, without changing the file's bytes (or, where the file system cannot reserve,
// checks that the free space holds it), so that a full disk refuses before a byte changes; then
// backs the file up (in_place_backup.h), writes, truncates where the length differs, syncs, and
// removes the backup. Never blocks and refuses what is not a regular file. Throws IOException
// with the cause; a failure after the first byte changed says that the file may hold part of the
// new content and where the old one is. A failure that changed the file's stamp at all is a
// TouchedWriteException.
FileStamp WriteInPlace(const QByteArray& path, const QString& name, const QByteArray& bytes);
