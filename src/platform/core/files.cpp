#include "platform/core/files.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/errors.h"
#include "platform/core/file_descriptor.h"
#include "platform/core/outside_text.h"
#include "platform/core/write_errors.h"

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
    throw IOException(QStringLiteral("The folder \"%1\" could not be created").arg(ShownText(path_)));
}

namespace {

// Copies regular files and folders; links are not followed, and anything else (named pipes,
// sockets, devices) is left out and named in skipped. Every file is written as a save is: checked
// and synced before it is in place.
void copyTree(const QString& from, const QString& to, QStringList& skipped) {
  QFileInfo info(from);
  if (info.isSymLink()) return;  // never follow links out of the tree
  if (info.isDir()) {
    if (!QDir().mkpath(to))
      throw IOException(QStringLiteral("The folder \"%1\" could not be created").arg(ShownText(to)));
    const auto entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
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
  if (!Exists()) throw IOException(QStringLiteral("\"%1\" does not exist").arg(ShownText(path_)));
  if (dest.Exists()) throw IOException(QStringLiteral("\"%1\" exists already").arg(ShownText(dest.Path())));
  QStringList skipped;
  copyTree(path_, dest.Path(), skipped);
  return skipped;
}

void FolderItem::Delete() const {
  QFileInfo info(path_);
  bool ok = info.isDir() && !info.isSymLink() ? QDir(path_).removeRecursively() : QFile::remove(path_);
  if (!ok) throw IOException(QStringLiteral("\"%1\" could not be removed").arg(ShownText(path_)));
}

void FolderItem::MoveTo(const FolderItem& dest) const {
  if (!QDir().rename(path_, dest.Path()))
    throw IOException(
        QStringLiteral("\"%1\" could not be renamed to \"%2\"").arg(ShownText(path_), ShownText(dest.Path())));
}

FolderItem SpecialFolder::ApplicationData() {
  const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(xdg)))
    return FolderItem(QString::fromLocal8Bit(xdg));
  return FolderItem(QDir::homePath() + QStringLiteral("/.config"));
}

FolderItem SpecialFolder::Preferences() { return FolderItem(QDir::homePath()); }

namespace {

QByteArray NativePath(const QString& path) { return QFile::encodeName(path); }

// Refuses what is not a regular file, by its status (links followed).
void RequireRegularFile(const struct stat& st, const FolderItem& file) {
  if (S_ISDIR(st.st_mode)) throw IOException(QStringLiteral("\"%1\" is a folder.").arg(ShownText(file.Name())));
  if (!S_ISREG(st.st_mode))
    throw IOException(QStringLiteral("\"%1\" is not a regular file.").arg(ShownText(file.Name())));
}

}  // namespace

namespace {

// Reads a regular file piece by piece, handing each piece and the file's size to take until it
// returns false or the file ends. Throws IOException.
template <typename Take>
void ReadInPieces(const FolderItem& file, Take take) {
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  const QByteArray path = NativePath(file.Path());
  const auto readFailure = [&](int error) {
    return IOException(QStringLiteral("\"%1\" could not be read: %2").arg(ShownText(file.Name()), SystemReason(error)));
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
  if (!text) throw IOException(QStringLiteral("\"%1\" is not a song document.").arg(ShownText(file.Name())));
  return *std::move(text);
}
