#include "platform/core/in_place_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/file_descriptor.h"
#include "platform/core/write_errors.h"

namespace {

// Makes sure the file can grow to length before anything is written. The reservation keeps the
// file's size, so that a failure afterwards leaves the file exactly as it was.
void ReserveLength(int fd, const struct stat& st, qint64 length, const QString& name) {
  if (length == 0) return;
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(length)) == 0) return;
  const int error = errno;
  if (error != EOPNOTSUPP && error != EINVAL && error != ENOSYS) throw WriteFailure(name, error);
  // The file system cannot reserve: the free space must at least hold the growth.
  struct statvfs fs {};
  if (::fstatvfs(fd, &fs) != 0) throw WriteFailure(name, errno);
  const qint64 growth = length > qint64(st.st_size) ? length - qint64(st.st_size) : 0;
  if (growth > 0 && quint64(growth) > quint64(fs.f_bavail) * quint64(fs.f_frsize)) throw WriteFailure(name, ENOSPC);
}

}  // namespace

FileStamp WriteInPlace(const QByteArray& path, const QString& name, const QByteArray& bytes) {
  // O_NONBLOCK: a named pipe put in the file's place must not hang the save.
  FileDescriptor fd(::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    const int error = errno;
    if (error == EACCES || error == EPERM || error == EROFS) throw WriteRefusal(name, error);
    throw WriteFailure(name, error);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw WriteFailure(name, errno);
  if (!S_ISREG(st.st_mode))
    throw IOException(QStringLiteral("\"%1\" could not be written: it is not a regular file").arg(name));
  ReserveLength(fd.get(), st, bytes.size(), name);

  bool changed = false;
  const auto failure = [&](int error) {
    return changed ? PartialWriteFailure(name, error) : WriteFailure(name, error);
  };
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd.get(), bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw failure(errno);
    }
    if (n == 0) throw failure(ENOSPC);
    changed = true;
    done += n;
  }
  if (::fstat(fd.get(), &st) != 0) throw failure(errno);
  // Only a length that differs is set: some file systems (FAT through FUSE) refuse to truncate a
  // file to the length it has.
  if (qint64(st.st_size) != bytes.size()) {
    if (::ftruncate(fd.get(), off_t(bytes.size())) != 0) throw failure(errno);
    changed = true;
  }
  if (::fdatasync(fd.get()) != 0 && errno != EINVAL) throw failure(errno);
  if (::fstat(fd.get(), &st) != 0) throw failure(errno);
  const FileStamp stamp = FileStamp::FromStatus(st);
  if (::close(fd.release()) != 0) throw failure(errno);
  return stamp;
}
