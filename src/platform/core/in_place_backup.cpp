#include "platform/core/in_place_backup.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/errors.h"
#include "platform/core/file_descriptor.h"
#include "platform/core/files.h"
#include "platform/core/temporary_file.h"
#include "platform/core/write_errors.h"

namespace {

QByteArray FolderOf(const QByteArray& path) { return path.left(qMax(path.lastIndexOf('/'), 1)); }

QByteArray NameOf(const QByteArray& path) { return path.mid(path.lastIndexOf('/') + 1); }

// The path with its folder's links resolved, so that every way to name a file finds one backup.
QByteArray CanonicalPath(const QByteArray& path) {
  char resolved[PATH_MAX];
  if (::realpath(FolderOf(path).constData(), resolved) == nullptr) return path;
  return QByteArray(resolved) + '/' + NameOf(path);
}

QByteArray StateFolder() {
  QByteArray base = qgetenv("XDG_STATE_HOME");
  if (!base.startsWith('/')) base = QFile::encodeName(qEnvironmentVariable("HOME")) + "/.local/state";
  return base + "/harmonote";
}

// The two places a backup of the file at path can have: beside it (none when the name would be
// too long for the file system), and in the state folder.
struct Places {
  QByteArray beside, state;
};

Places PlacesOf(const QByteArray& path) {
  const QByteArray canonical = CanonicalPath(path), name = NameOf(canonical);
  Places places;
  const QByteArray beside = '.' + name + ".hmnt-backup";
  if (beside.size() <= NAME_MAX) places.beside = FolderOf(canonical) + '/' + beside;
  // The hash tells songs of one name apart; the name, shortened at its start where it must be
  // (never inside a character), tells the user whose backup it is.
  QByteArray stateName = QCryptographicHash::hash(canonical, QCryptographicHash::Sha256).toHex().left(32) + '-';
  qsizetype from = qMax<qsizetype>(0, stateName.size() + name.size() - NAME_MAX);
  while (from < name.size() && (uchar(name[from]) & 0xC0) == 0x80) ++from;
  stateName += name.mid(from);
  places.state = StateFolder() + '/' + stateName;
  return places;
}

bool IsFile(const QByteArray& path) {
  struct stat st {};
  return !path.isEmpty() && ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// Syncs the folder that holds path, so that a name made or removed there survives a crash.
bool SyncFolderOf(const QByteArray& path) {
  FileDescriptor folder(::open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return folder.get() >= 0 && (::fsync(folder.get()) == 0 || errno == EINVAL);
}

// Makes the state folder and the folders above it that are missing, open to the user only.
bool MakeStateFolder() {
  const QByteArray folder = StateFolder();
  for (qsizetype slash = 0; slash != -1;) {
    slash = folder.indexOf('/', slash + 1);
    if (::mkdir((slash == -1 ? folder : folder.left(slash)).constData(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool CopyAll(int from, int to) {
  QByteArray buffer(1 << 20, Qt::Uninitialized);
  for (;;) {
    const ssize_t got = ::read(from, buffer.data(), size_t(buffer.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    for (ssize_t done = 0; done < got;) {
      const ssize_t n = ::write(to, buffer.constData() + done, size_t(got - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) {
        errno = ENOSPC;
        return false;
      }
      done += n;
    }
  }
}

void RemoveAt(const QByteArray& path) {
  if (::unlink(path.constData()) == 0) SyncFolderOf(path);
}

}  // namespace

InPlaceBackup::InPlaceBackup(const QByteArray& path, const struct stat& st, const QString& name) {
  const Places places = PlacesOf(path);
  for (const QByteArray& place : {places.beside, places.state}) {
    if (IsFile(place)) {
      path_ = place;
      return;
    }
  }
  FileDescriptor source(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (source.get() < 0 || ::fstat(source.get(), &opened) != 0) throw BackupFailure(name, errno);
  // Another file took the file's place in the meantime.
  if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) throw BackupFailure(name, ESTALE);

  std::unique_ptr<TemporaryFile> copy;
  QByteArray place = places.beside;
  if (!place.isEmpty()) {
    copy = std::make_unique<TemporaryFile>(FolderOf(place), 0600);
    // A folder that takes no new file sends the backup to the state folder.
    if (copy->Fd() < 0 && errno != EACCES && errno != EPERM) throw BackupFailure(name, errno);
  }
  if (!copy || copy->Fd() < 0) {
    place = places.state;
    if (!MakeStateFolder()) throw BackupFailure(name, errno);
    copy = std::make_unique<TemporaryFile>(FolderOf(place), 0600);
    if (copy->Fd() < 0) throw BackupFailure(name, errno);
  }
  if (!CopyAll(source.get(), copy->Fd()) || (::fdatasync(copy->Fd()) != 0 && errno != EINVAL) || !copy->Close())
    throw BackupFailure(name, errno);
  if (!copy->PlaceAt(place)) {
    if (errno != EEXIST || !IsFile(place)) throw BackupFailure(name, errno);
    // Another write of the file made its backup at the same moment: that one is as good.
    path_ = place;
    return;
  }
  path_ = place;
  made_ = true;
  if (!SyncFolderOf(place)) {
    const int error = errno;
    Remove();
    throw BackupFailure(name, error);
  }
}

QString InPlaceBackup::Path() const { return QFile::decodeName(path_); }

void InPlaceBackup::Remove() {
  if (!path_.isEmpty()) RemoveAt(path_);
  path_.clear();
}

void InPlaceBackup::Discard() {
  if (made_) Remove();
}

void InPlaceBackup::RemoveLeft(const QByteArray& path) {
  const Places places = PlacesOf(path);
  for (const QByteArray& place : {places.beside, places.state})
    if (IsFile(place)) RemoveAt(place);
}

std::optional<QString> LeftBackup(const FolderItem& file) {
  if (!file.IsValid()) return std::nullopt;
  // The file a link names is the one written.
  const QString target = QFileInfo(file.Path()).canonicalFilePath();
  const Places places = PlacesOf(QFile::encodeName(target.isEmpty() ? file.Path() : target));
  for (const QByteArray& place : {places.beside, places.state})
    if (IsFile(place)) return QFile::decodeName(place);
  return std::nullopt;
}
