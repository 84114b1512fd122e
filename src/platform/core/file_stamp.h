#pragma once
// What identifies one state of a file on disk: its size, its modification time to the nanosecond,
// its inode and its device. Two stamps that differ mean the file was changed or replaced between
// them.
#include <QtGlobal>
#include <optional>

class FolderItem;
struct stat;

struct FileStamp {
  qint64 size = 0;
  qint64 modifiedSeconds = 0;
  qint64 modifiedNanoseconds = 0;
  quint64 inode = 0;
  quint64 device = 0;

  bool operator==(const FileStamp&) const = default;

  static FileStamp FromStatus(const struct stat& st);
  // The stamp of the file (a link is followed), or nothing when there is no such file or its
  // status cannot be read.
  static std::optional<FileStamp> Of(const FolderItem& file);
};
