#include "platform/core/files.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/errors.h"

FolderItem::FolderItem(const QString& path) : path_(path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath()) {}

QString FolderItem::Name() const { return QFileInfo(path_).fileName(); }

FolderItem FolderItem::Child(const QString& name) const { return FolderItem(path_ + QLatin1Char('/') + name); }

FolderItem FolderItem::Parent() const { return FolderItem(QFileInfo(path_).absolutePath()); }

bool FolderItem::Exists() const { return IsValid() && (QFileInfo::exists(path_) || QFileInfo(path_).isSymLink()); }

bool FolderItem::IsFolder() const { return IsValid() && QFileInfo(path_).isDir(); }

bool FolderItem::IsRegularFile() const { return IsValid() && QFileInfo(path_).isFile(); }

bool FolderItem::IsSymLink() const { return IsValid() && QFileInfo(path_).isSymLink(); }

void FolderItem::CreateAsFolder() const {
  if (!IsValid() || !QDir().mkpath(path_))
    throw IOException(QStringLiteral("The folder \"%1\" could not be created").arg(path_));
}

namespace {

// Copies regular files and folders; links are not followed, and anything else (named pipes,
// sockets, devices) is left out and named in skipped. Every file is written as a save is: checked
// and synced before it is in place.
void copyTree(const QString& from, const QString& to, QStringList& skipped) {
  QFileInfo info(from);
  if (info.isSymLink()) return;  // never follow links out of the tree
  if (info.isDir()) {
    if (!QDir().mkpath(to)) throw IOException(QStringLiteral("The folder \"%1\" could not be created").arg(to));
    const auto entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& e : entries) copyTree(e.filePath(), to + QLatin1Char('/') + e.fileName(), skipped);
    return;
  }
  if (!info.isFile()) {
    skipped.append(from);
    return;
  }
  TextOutputStream::WriteBytes(FolderItem(to), TextInputStream::ReadBytes(FolderItem(from)));
  QFile::setPermissions(to, info.permissions());
}

}  // namespace

QStringList FolderItem::CopyFileTo(const FolderItem& dest) const {
  if (!Exists()) throw IOException(QStringLiteral("\"%1\" does not exist").arg(path_));
  if (dest.Exists()) throw IOException(QStringLiteral("\"%1\" exists already").arg(dest.Path()));
  QStringList skipped;
  copyTree(path_, dest.Path(), skipped);
  return skipped;
}

void FolderItem::Delete() const {
  QFileInfo info(path_);
  bool ok = info.isDir() && !info.isSymLink() ? QDir(path_).removeRecursively() : QFile::remove(path_);
  if (!ok) throw IOException(QStringLiteral("\"%1\" could not be removed").arg(path_));
}

void FolderItem::MoveTo(const FolderItem& dest) const {
  if (!QDir().rename(path_, dest.Path()))
    throw IOException(QStringLiteral("\"%1\" could not be renamed to \"%2\"").arg(path_, dest.Path()));
}

namespace {
QString g_appDataOverride;
QString g_prefsOverride;
}  // namespace

FolderItem SpecialFolder::ApplicationData() {
  if (!g_appDataOverride.isEmpty()) return FolderItem(g_appDataOverride);
  const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(xdg))) return FolderItem(QString::fromLocal8Bit(xdg));
  return FolderItem(QDir::homePath() + QStringLiteral("/.config"));
}

FolderItem SpecialFolder::Preferences() {
  if (!g_prefsOverride.isEmpty()) return FolderItem(g_prefsOverride);
  return FolderItem(QDir::homePath());
}

void SpecialFolder::OverrideApplicationData(const QString& path) { g_appDataOverride = path; }
void SpecialFolder::OverridePreferences(const QString& path) { g_prefsOverride = path; }

namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

// Refuses what is not a regular file, by its status (links followed).
void RequireRegularFile(const struct stat& st, const FolderItem& file) {
  if (S_ISDIR(st.st_mode)) throw IOException(QStringLiteral("\"%1\" is a folder.").arg(file.Name()));
  if (!S_ISREG(st.st_mode)) throw IOException(QStringLiteral("\"%1\" is not a regular file.").arg(file.Name()));
}

// Closes a descriptor when it goes out of scope, unless it was released.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace

namespace {

// Reads a regular file piece by piece, handing each piece and the file's size to take until it
// returns false or the file ends. Throws IOException.
template <typename Take>
void ReadInPieces(const FolderItem& file, Take take) {
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  const QByteArray path = NativePath(file.Path());
  const auto readFailure = [&](int error) {
    return IOException(QStringLiteral("\"%1\" could not be read: %2").arg(file.Name(), SystemReason(error)));
  };
  // The type is checked before opening, and again on what was opened: opening a named pipe for
  // reading would wait for a writer, and a socket cannot be opened at all.
  struct stat st {};
  if (::stat(path.constData(), &st) != 0) throw readFailure(errno);
  RequireRegularFile(st, file);
  FileDescriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) throw readFailure(errno);
  if (::fstat(fd.get(), &st) != 0) throw readFailure(errno);
  RequireRegularFile(st, file);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw readFailure(errno);
    }
    if (n == 0 || !take(QByteArrayView(buffer, qsizetype(n)), qsizetype(st.st_size))) break;
  }
}

}  // namespace

QByteArray TextInputStream::ReadBytes(const FolderItem& file) {
  QByteArray bytes;
  ReadInPieces(file, [&](QByteArrayView piece, qsizetype size) {
    if (bytes.isEmpty()) bytes.reserve(size);
    bytes.append(piece);
    return true;
  });
  return bytes;
}

QString TextInputStream::ReadAll(const FolderItem& file, Fallback fallback) {
  QByteArray bytes = ReadBytes(file);
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  if (fallback == Fallback::Windows1252) return DecodeUtf8OrWindows1252(bytes);
  return QString::fromUtf8(bytes);
}

QString TextInputStream::ReadText(const FolderItem& file, TextKind kind) {
  // Decoded as it is read, so that only the text is held, and the reading stops at a NUL: a huge
  // file that is not text is refused after its first piece.
  TextDecoder decoder(kind);
  ReadInPieces(file, [&](QByteArrayView piece, qsizetype) { return decoder.Feed(piece); });
  std::optional<QString> text = decoder.Finish();
  if (!text) throw IOException(QStringLiteral("\"%1\" is not a song document.").arg(file.Name()));
  return *std::move(text);
}

namespace {

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
                            .arg(file.Name(), S_ISDIR(st.st_mode) ? QStringLiteral("a folder")
                                                                   : QStringLiteral("not a regular file")));
  } else if (errno != ENOENT) {
    throw IOException(QStringLiteral("\"%1\" could not be written: %2").arg(file.Name(), SystemReason(errno)));
  }
  return path;
}

// Creates a new, empty file beside target with a name of its own, with the permissions a new
// file gets (or the old file's, set later).
int CreateTemporarySibling(const QString& target, QByteArray& tempPath) {
  const QFileInfo info(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name = QStringLiteral(".%1.%2.tmp")
                             .arg(info.fileName())
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    tempPath = NativePath(info.absolutePath() + QLatin1Char('/') + name);
    const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void TextOutputStream::WriteBytes(const FolderItem& file, const QByteArray& bytes) {
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  const QString target = ReplacedPath(file);
  const auto failure = [&](int error) {
    return IOException(QStringLiteral("\"%1\" could not be written: %2").arg(file.Name(), SystemReason(error)));
  };
  QByteArray tempPath;
  FileDescriptor fd(CreateTemporarySibling(target, tempPath));
  if (fd.get() < 0) throw failure(errno);
  // Every way out before the rename removes the temporary file; the old file is never touched.
  bool renamed = false;
  struct RemoveUnlessRenamed {
    const QByteArray& path;
    const bool& renamed;
    ~RemoveUnlessRenamed() {
      if (!renamed) ::unlink(path.constData());
    }
  } cleanup{tempPath, renamed};

  struct stat old {};
  if (::stat(NativePath(target).constData(), &old) == 0) {
    // The new file keeps the old one's permissions (and owner, where we may set it).
    if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) { /* not ours to give away: keep ours */ }
    if (::fchmod(fd.get(), old.st_mode & 07777) != 0) throw failure(errno);
  }
  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd.get(), p, size_t(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw failure(errno);
    }
    if (n == 0) throw failure(ENOSPC);
    p += n;
    left -= n;
  }
  // A full disk or a quota may only show here (delayed allocation, network file systems).
  if (::fdatasync(fd.get()) != 0 && errno != EINVAL) throw failure(errno);
  if (::close(fd.release()) != 0) throw failure(errno);
  if (::rename(tempPath.constData(), NativePath(target).constData()) != 0) throw failure(errno);
  renamed = true;
  // The rename itself is made durable where the folder allows it.
  FileDescriptor folder(::open(NativePath(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

void TextOutputStream::WriteAll(const FolderItem& file, const QString& text) { WriteBytes(file, text.toUtf8()); }
