#include "platform/core/in_place_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/core/file_descriptor.h"
#include "platform/core/file_writer.h"
#include "platform/core/in_place_backup.h"
#include "platform/core/write_errors.h"

namespace {

// Makes sure the file can grow to length before anything is written. The reservation keeps the
// file's size, so that a failure afterwards leaves the file's bytes as they were (its
// modification time can move all the same).
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

// One write over an open file, which knows what it has done so far, so that a failure can say it.
class Overwrite {
 public:
  Overwrite(int fd, const QByteArray& path, const struct stat& st, const QString& name)
      : fd_(fd), path_(path), st_(st), name_(name), before_(FileStamp::FromStatus(st)) {}

  FileStamp Run(const QByteArray& bytes) {
    Step([&] { ReserveLength(fd_.get(), st_, bytes.size(), name_); });
    Step([&] { backup_.emplace(path_, st_, name_); });
    qint64 done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd_.get(), bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail(errno);
      }
      if (n == 0) Fail(ENOSPC);
      changed_ = true;
      done += n;
    }
    struct stat now {};
    if (::fstat(fd_.get(), &now) != 0) Fail(errno);
    // Only a length that differs is set: some file systems (FAT through FUSE) refuse to truncate
    // a file to the length it has.
    if (qint64(now.st_size) != bytes.size()) {
      if (::ftruncate(fd_.get(), off_t(bytes.size())) != 0) Fail(errno);
      changed_ = true;
    }
    if (::fdatasync(fd_.get()) != 0 && errno != EINVAL) Fail(errno);
    if (::fstat(fd_.get(), &now) != 0) Fail(errno);
    const FileStamp stamp = FileStamp::FromStatus(now);
    if (::close(fd_.release()) != 0) Fail(errno, stamp);
    backup_->Remove();
    return stamp;
  }

 private:
  // Runs a step that throws its own failure, before any byte changed.
  template <class Body>
  void Step(Body body) {
    try {
      body();
    } catch (const IOException& e) {
      Throw(e, std::nullopt);
    }
  }

  [[noreturn]] void Fail(int error, std::optional<FileStamp> after = std::nullopt) {
    if (!changed_) {
      // The old content is still in the file itself.
      if (backup_) backup_->Discard();
      Throw(WriteFailure(name_, error), after);
    }
    Throw(PartialWriteFailure(name_, error, backup_->Path()), after);
  }

  // Throws e, as a TouchedWriteException when the file's stamp moved since the write began.
  [[noreturn]] void Throw(const IOException& e, std::optional<FileStamp> after) {
    struct stat now {};
    if (!after && fd_.get() >= 0 && ::fstat(fd_.get(), &now) == 0) after = FileStamp::FromStatus(now);
    if (after && *after != before_) throw TouchedWriteException(e.Reason(), before_, *after);
    throw e;
  }

  FileDescriptor fd_;
  QByteArray path_;
  struct stat st_;
  QString name_;
  FileStamp before_;
  std::optional<InPlaceBackup> backup_;
  bool changed_ = false;  // a byte of the file changed
};

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
  return Overwrite(fd.release(), path, st, name).Run(bytes);
}
