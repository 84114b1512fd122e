#pragma once
// Writing a whole file so that a save keeps what the file had.
//
// A new file is written in the old one's folder, synced to disk and renamed over it, so the old
// file stays whole until the new one is complete. Where the file system offers them, the new file
// has no name until just before the rename, so that a crash leaves nothing behind; elsewhere it
// has a short temporary name, locked while it is written, and a later write in the folder removes
// those that crashed writes left. That replacement is used only when it keeps everything the old
// file had: its owner and group, its mode, every extended attribute (ACLs included) and its inode
// flags, and only when the file has a single name. Otherwise (a second hard link, an owner that
// cannot be given, an attribute or flag that cannot be copied, a folder that takes no new files)
// the song is written into the existing file, after its new length has been reserved, so that a
// full disk refuses the save before a byte changes, and after a backup of it has been made
// (in_place_backup.h). A file the user may not write is never replaced. Only a regular file (or
// the regular file a link points to) is written. Any failure is an IOException that names the
// real cause.
#include <QByteArray>
#include <QString>

#include "platform/core/errors.h"
#include "platform/core/file_stamp.h"

class FolderItem;

// The file was written and renamed into place, but the folder could not be synced: the new name
// may not survive a crash. stamp is what is on disk now.
class UnsyncedWriteException : public IOException {
 public:
  UnsyncedWriteException(const QString& what, const FileStamp& stamp) : IOException(what), stamp_(stamp) {}
  const FileStamp& Stamp() const { return stamp_; }

 private:
  FileStamp stamp_;
};

// A write into the file itself failed after it had changed the file: its bytes, its length, or
// only its modification time. before is the file as the write found it, after as it left it.
class TouchedWriteException : public IOException {
 public:
  TouchedWriteException(const QString& what, const FileStamp& before, const FileStamp& after)
      : IOException(what), before_(before), after_(after) {}
  const FileStamp& Before() const { return before_; }
  const FileStamp& After() const { return after_; }

 private:
  FileStamp before_, after_;
};

class TextOutputStream {
 public:
  // Each returns the stamp of the file it wrote.
  static FileStamp WriteAll(const FolderItem& file, const QString& text);
  static FileStamp WriteBytes(const FolderItem& file, const QByteArray& bytes);
};
