#include "platform/core/file_writer.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/file_attributes.h"
#include "platform/core/file_descriptor.h"
#include "platform/core/files.h"
#include "platform/core/in_place_backup.h"
#include "platform/core/in_place_write.h"
#include "platform/core/outside_text.h"
#include "platform/core/temporary_file.h"
#include "platform/core/write_errors.h"

namespace {

QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

// The path that a write to file replaces: the file itself, or the file a link points to (the
// link stays). Refuses a target that exists and is not a regular file.
QString ReplacedPath(const FolderItem& file) {
  QString path = file.Path();
  for (int hops = 0; hops < 40; ++hops) {
    const QFileInfo info(path);
    if (!info.isSymLink()) break;
    path = info.symLinkTarget();
  }
  struct stat st {};
  if (::stat(NativePath(path).constData(), &st) == 0) {
    if (!S_ISREG(st.st_mode))
      throw IOException(QStringLiteral("\"%1\" could not be written: it is %2")
                            .arg(ShownText(file.Name()), S_ISDIR(st.st_mode) ? QStringLiteral("a folder")
                                                                             : QStringLiteral("not a regular file")));
  } else if (errno != ENOENT) {
    throw WriteFailure(ShownText(file.Name()), errno);
  }
  return path;
}

void WriteAllOf(int fd, const QByteArray& bytes, const QString& name) {
  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw WriteFailure(name, errno);
    }
    if (n == 0) throw WriteFailure(name, ENOSPC);
    p += n;
    left -= n;
  }
}

bool FolderIsGone(const QString& folder) {
  struct stat st {};
  return ::stat(NativePath(folder).constData(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

// Writes bytes to the new file and renames it over target.
FileStamp Replace(TemporaryFile& temporary, const QByteArray& target, const QString& name, const QString& folder,
                  const QByteArray& bytes) {
  WriteAllOf(temporary.Fd(), bytes, name);
  // A full disk or a quota may only show here (delayed allocation, network file systems).
  if (::fdatasync(temporary.Fd()) != 0 && errno != EINVAL) throw WriteFailure(name, errno);
  struct stat written {};
  if (::fstat(temporary.Fd(), &written) != 0) throw WriteFailure(name, errno);
  if (!temporary.Close()) throw WriteFailure(name, errno);
  if (!temporary.Replace(target)) {
    const int error = errno;
    if (FolderIsGone(folder)) throw FolderGone(name, folder);
    throw WriteFailure(name, error);
  }
  const FileStamp stamp = FileStamp::FromStatus(written);
  // The rename is on disk only once the folder is: a failure there is told, with what was written.
  FileDescriptor folderFd(::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.get() >= 0 && ::fsync(folderFd.get()) != 0 && errno != EINVAL) {
    throw UnsyncedWriteException(
        QStringLiteral("\"%1\" was written, but its folder could not be synced to disk (%2), so the saved song may "
                       "not survive a crash. Saving again tries once more.")
            .arg(name, SystemReason(errno)),
        stamp);
  }
  // The song is safe in place: a backup that an unfinished write into the file left goes.
  InPlaceBackup::RemoveLeft(target);
  return stamp;
}

}  // namespace

FileStamp TextOutputStream::WriteBytes(const FolderItem& file, const QByteArray& bytes) {
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  // The name as messages show it.
  const QString name = ShownText(file.Name());
  const QString target = ReplacedPath(file);
  const QByteArray nativeTarget = NativePath(target);
  const QString folder = QFileInfo(target).absolutePath();
  struct stat old {};
  const bool exists = ::stat(nativeTarget.constData(), &old) == 0;
  // Judged with the effective ids, ACLs included: a file the user may not write is not replaced.
  if (exists && ::faccessat(AT_FDCWD, nativeTarget.constData(), W_OK, AT_EACCESS) != 0) throw WriteRefusal(name, errno);

  {
    TemporaryFile temporary(NativePath(folder), 0666);
    if (temporary.Fd() < 0) {
      const int error = errno;
      // A folder that takes no new file still lets the user write a file of theirs in it.
      if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(nativeTarget, name, bytes);
      if (error == EACCES || error == EPERM || error == EROFS) throw NewFileRefusal(name, folder, error);
      if (FolderIsGone(folder)) throw FolderGone(name, folder);
      throw WriteFailure(name, error);
    }
    // Replacing the file would split a hard link or lose its owner, mode, attributes or flags.
    const int fd = temporary.Fd();
    if (!exists || (old.st_nlink == 1 && CopyOwnerModeAndAttributes(nativeTarget, old, fd) &&
                    CopyInodeFlags(nativeTarget, old, fd)))
      return Replace(temporary, nativeTarget, name, folder, bytes);
  }
  return WriteInPlace(nativeTarget, name, bytes);
}

FileStamp TextOutputStream::WriteAll(const FolderItem& file, const QString& text) {
  return WriteBytes(file, text.toUtf8());
}
