#pragma once
// A test file's inode flags (those chattr sets), read and changed through the file system itself.
#include <QFile>
#include <QString>
#include <optional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// The file's flags, or nothing when its file system keeps none.
inline std::optional<int> InodeFlags(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  int flags = 0;
  const bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (fd >= 0) ::close(fd);
  return ok ? std::optional<int>(flags) : std::nullopt;
}

// Adds (or with on false, removes) flags; the system's reason when the file system refuses.
inline QString ChangeInodeFlags(const QString& path, int flags, bool on = true) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return QString::fromLocal8Bit(std::strerror(errno));
  int now = 0;
  int result = ::ioctl(fd, FS_IOC_GETFLAGS, &now);
  if (result == 0) {
    now = on ? now | flags : now & ~flags;
    result = ::ioctl(fd, FS_IOC_SETFLAGS, &now);
  }
  const int error = errno;
  ::close(fd);
  return result == 0 ? QString() : QString::fromLocal8Bit(std::strerror(error));
}
