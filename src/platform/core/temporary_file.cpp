#include "platform/core/temporary_file.h"

#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr char kPrefix[] = ".hmnt-";
constexpr char kSuffix[] = ".tmp";
constexpr int kHexDigits = 8;

// A temporary name: the prefix, eight lowercase hexadecimal digits, the suffix. Short and of fixed
// length whatever the file it stands in for, so that every name the file system takes can be saved.
bool IsTemporaryName(const char* name) {
  const size_t prefix = sizeof kPrefix - 1, suffix = sizeof kSuffix - 1;
  if (std::strlen(name) != prefix + kHexDigits + suffix || std::strncmp(name, kPrefix, prefix) != 0 ||
      std::strcmp(name + prefix + kHexDigits, kSuffix) != 0)
    return false;
  for (int i = 0; i < kHexDigits; ++i) {
    const char c = name[prefix + size_t(i)];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

QByteArray TemporaryPath(const QByteArray& folder) {
  return folder + '/' + kPrefix +
         QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(kHexDigits, '0') + kSuffix;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Takes the lock that marks a temporary file as being written. A file system without locks
// cannot mark it: the file is written all the same, and no cleaning ever takes it for stale.
bool Lock(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno == ENOLCK || errno == EOPNOTSUPP; }

// Opens a new named temporary file in folder, locked, or -1 with errno.
int OpenNamed(const QByteArray& folder, mode_t mode, QByteArray& path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = TemporaryPath(folder);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return -1;
    }
    // Between the open and the lock, a save cleaning the folder can take the file for a stale one
    // and remove it: then it is no longer under its name, and another is made.
    struct stat opened {
    }, named{};
    if (Lock(fd) && ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 && SameFile(opened, named))
      return fd;
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

// Gives the open unnamed file fd the name path: through its entry in /proc, or where /proc is
// not there, through the descriptor itself.
int LinkUnnamed(int fd, const QByteArray& path) {
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  if (::linkat(AT_FDCWD, self, AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return -1;
  return ::linkat(fd, "", AT_FDCWD, path.constData(), AT_EMPTY_PATH);
}

}  // namespace

TemporaryFile::TemporaryFile(const QByteArray& folder, mode_t mode) : folder_(folder) {
  RemoveStaleTemporaries(folder);
  fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd_ >= 0) {
    // Once it has a name for its rename, the lock keeps a cleaning save off it.
    if (!Lock(fd_)) Release();
    return;
  }
  // Without unnamed files (an older kernel says EISDIR), a named one.
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return;
  fd_ = OpenNamed(folder, mode, path_);
  if (fd_ < 0) path_.clear();
}

TemporaryFile::~TemporaryFile() { Release(); }

void TemporaryFile::Release() {
  const int error = errno;
  if (!placed_ && !path_.isEmpty()) ::unlink(path_.constData());
  if (fd_ >= 0) ::close(fd_);
  if (lock_ >= 0) ::close(lock_);
  fd_ = lock_ = -1;
  path_.clear();
  errno = error;
}

bool TemporaryFile::Close() {
  lock_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (lock_ < 0) return false;
  return ::close(std::exchange(fd_, -1)) == 0;
}

bool TemporaryFile::Name() {
  if (!path_.isEmpty()) return true;
  const int fd = fd_ >= 0 ? fd_ : lock_;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray path = TemporaryPath(folder_);
    if (LinkUnnamed(fd, path) == 0) {
      path_ = path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool TemporaryFile::Replace(const QByteArray& target) {
  if (!Name() || ::rename(path_.constData(), target.constData()) != 0) return false;
  placed_ = true;
  return true;
}

bool TemporaryFile::PlaceAt(const QByteArray& path) {
  if (path_.isEmpty()) {
    if (LinkUnnamed(fd_ >= 0 ? fd_ : lock_, path) != 0) return false;
    placed_ = true;
    return true;
  }
  if (::renameat2(AT_FDCWD, path_.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) != 0) {
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot rename without replacing: the name is looked at first.
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0) {
      errno = EEXIST;
      return false;
    }
    if (::rename(path_.constData(), path.constData()) != 0) return false;
  }
  placed_ = true;
  return true;
}

void RemoveStaleTemporaries(const QByteArray& folder) {
  DIR* dir = ::opendir(folder.constData());
  if (!dir) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    // Only a lock of its own proves that no running write holds the file; and the name must still
    // be that file's when it goes.
    struct stat opened {
    }, named{};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named))
      ::unlinkat(dirFd, entry->d_name, 0);
    ::close(fd);
  }
  ::closedir(dir);
}
