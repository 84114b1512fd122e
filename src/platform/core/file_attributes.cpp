#include "platform/core/file_attributes.h"

#include <QList>
#include <optional>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

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
