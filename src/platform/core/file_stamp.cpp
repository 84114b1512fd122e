#include "platform/core/file_stamp.h"

#include <QFile>

#include <sys/stat.h>

#include "platform/core/files.h"

FileStamp FileStamp::FromStatus(const struct stat& st) {
  FileStamp s;
  s.size = qint64(st.st_size);
  s.modifiedSeconds = qint64(st.st_mtim.tv_sec);
  s.modifiedNanoseconds = qint64(st.st_mtim.tv_nsec);
  s.inode = quint64(st.st_ino);
  s.device = quint64(st.st_dev);
  return s;
}

std::optional<FileStamp> FileStamp::Of(const FolderItem& file) {
  if (!file.IsValid()) return std::nullopt;
  struct stat st {};
  if (::stat(QFile::encodeName(file.Path()).constData(), &st) != 0) return std::nullopt;
  return FromStatus(st);
}
