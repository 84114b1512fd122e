#include "platform/core/file_attributes.h"

#include <QList>
#include <optional>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/file_descriptor.h"

namespace {

// The names in a list as listxattr gives it; nothing when it cannot be read. A file system
// without extended attributes has none.
std::optional<QList<QByteArray>> Names(const auto& list) {
  QByteArray buffer;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = list(nullptr, 0);
    if (size < 0) {
      if (errno == ENOTSUP) return QList<QByteArray>();
      return std::nullopt;
    }
    buffer.resize(size);
    const ssize_t got = list(buffer.data(), size_t(buffer.size()));
    if (got >= 0) {
      buffer.truncate(got);
      QList<QByteArray> names = buffer.split('\0');
      names.removeAll(QByteArray());
      return names;
    }
    if (errno != ERANGE) return std::nullopt;  // ERANGE: the list grew in between
  }
  return std::nullopt;
}

std::optional<QByteArray> Value(const QByteArray& path, const QByteArray& name) {
  QByteArray value;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = ::getxattr(path.constData(), name.constData(), nullptr, 0);
    if (size < 0) return std::nullopt;
    value.resize(size);
    const ssize_t got = ::getxattr(path.constData(), name.constData(), value.data(), size_t(value.size()));
    if (got >= 0) {
      value.truncate(got);
      return value;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

// The inode flags a user sets (chattr), which a new file must have to take an old one's place.
// Flags that the file system keeps for itself (extents, inline data, encryption, verity, case
// folding) are left out.
constexpr int kSetFlags =
    FS_FL_USER_MODIFIABLE | FS_JOURNAL_DATA_FL | FS_NOCOW_FL | FS_NOCOMP_FL | FS_DAX_FL | FS_PROJINHERIT_FL;

std::optional<int> Flags(int fd) {
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) return std::nullopt;
  return flags & kSetFlags;
}

}  // namespace

bool CopyOwnerModeAndAttributes(const QByteArray& oldPath, const struct stat& old, int newFd) {
  struct stat now {};
  if (::fstat(newFd, &now) != 0) return false;
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) && ::fchown(newFd, old.st_uid, old.st_gid) != 0)
    return false;
  const auto oldNames = Names([&](char* b, size_t n) { return ::listxattr(oldPath.constData(), b, n); });
  const auto newNames = Names([&](char* b, size_t n) { return ::flistxattr(newFd, b, n); });
  if (!oldNames || !newNames) return false;
  for (const QByteArray& name : *newNames)
    if (!oldNames->contains(name) && ::fremovexattr(newFd, name.constData()) != 0) return false;
  // The mode first: an access ACL set after it keeps its own mask in the group bits.
  if (::fchmod(newFd, old.st_mode & 07777) != 0) return false;
  for (const QByteArray& name : *oldNames) {
    const std::optional<QByteArray> value = Value(oldPath, name);
    if (!value || ::fsetxattr(newFd, name.constData(), value->constData(), size_t(value->size()), 0) != 0) return false;
  }
  if (::fstat(newFd, &now) != 0) return false;
  return now.st_uid == old.st_uid && now.st_gid == old.st_gid && (now.st_mode & 07777) == (old.st_mode & 07777);
}

bool CopyInodeFlags(const QByteArray& oldPath, const struct stat& old, int newFd) {
  // A file the user may write but not read still shows its flags.
  constexpr int kOpen = O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(oldPath.constData(), O_RDONLY | kOpen);
  if (fd < 0 && errno == EACCES) fd = ::open(oldPath.constData(), O_WRONLY | kOpen);
  FileDescriptor oldFd(fd);
  struct stat opened {};
  if (oldFd.get() < 0 || ::fstat(oldFd.get(), &opened) != 0 || opened.st_dev != old.st_dev ||
      opened.st_ino != old.st_ino)
    return false;
  const std::optional<int> oldFlags = Flags(oldFd.get());
  // A file system without flags: there are none to keep.
  if (!oldFlags) return errno == ENOTTY || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL;
  // An append-only file is never replaced (nor written but at its end).
  if (*oldFlags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) return false;
  std::optional<int> newFlags = Flags(newFd);
  if (!newFlags) return *oldFlags == 0;
  if (*newFlags == *oldFlags) return true;
  int all = 0;
  if (::ioctl(newFd, FS_IOC_GETFLAGS, &all) != 0) return false;
  all = (all & ~kSetFlags) | *oldFlags;
  if (::ioctl(newFd, FS_IOC_SETFLAGS, &all) != 0) return false;
  newFlags = Flags(newFd);
  return newFlags && *newFlags == *oldFlags;
}
