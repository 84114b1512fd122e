#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include "platform/errors.h"

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

void copyTree(const QString& from, const QString& to) {
  QFileInfo info(from);
  if (info.isSymLink()) return;  // never follow links out of the tree
  if (info.isDir()) {
    if (!QDir().mkpath(to)) throw IOException(QStringLiteral("The folder \"%1\" could not be created").arg(to));
    const auto entries = QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& e : entries) copyTree(e.filePath(), to + QLatin1Char('/') + e.fileName());
    return;
  }
  QFile src(from);
  if (!QFile::copy(from, to))
    throw IOException(QStringLiteral("\"%1\" could not be copied: %2").arg(from, src.errorString()));
}

}  // namespace

void FolderItem::CopyFileTo(const FolderItem& dest) const {
  if (!Exists()) throw IOException(QStringLiteral("\"%1\" does not exist").arg(path_));
  if (dest.Exists()) throw IOException(QStringLiteral("\"%1\" exists already").arg(dest.Path()));
  copyTree(path_, dest.Path());
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

QByteArray TextInputStream::ReadBytes(const FolderItem& file) {
  QFile f(file.Path());
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  if (QFileInfo(file.Path()).isDir()) throw IOException(QStringLiteral("\"%1\" is a folder").arg(file.Name()));
  if (!f.open(QIODevice::ReadOnly)) throw IOException(QStringLiteral("\"%1\" could not be read: %2").arg(file.Name(), f.errorString()));
  QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw IOException(QStringLiteral("\"%1\" could not be read: %2").arg(file.Name(), f.errorString()));
  return bytes;
}

bool IsValidUtf8(const QByteArray& bytes) {
  QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString s = dec.decode(bytes);
  (void)s;
  return !dec.hasError();
}

QString DecodeWindows1252(const QByteArray& bytes) {
  static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  QString out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
  }
  return out;
}

QString TextInputStream::ReadAll(const FolderItem& file, Fallback fallback) {
  QByteArray bytes = ReadBytes(file);
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  if (fallback == Fallback::Windows1252 && !IsValidUtf8(bytes)) return DecodeWindows1252(bytes);
  return QString::fromUtf8(bytes);
}

void TextOutputStream::WriteBytes(const FolderItem& file, const QByteArray& bytes) {
  if (!file.IsValid()) throw IOException(QStringLiteral("No file was given"));
  QSaveFile f(file.Path());
  if (!f.open(QIODevice::WriteOnly))
    throw IOException(QStringLiteral("\"%1\" could not be written: %2").arg(file.Name(), f.errorString()));
  if (f.write(bytes) != bytes.size()) {
    const QString why = f.errorString();
    f.cancelWriting();
    throw IOException(QStringLiteral("\"%1\" could not be written: %2").arg(file.Name(), why));
  }
  if (!f.commit())
    throw IOException(QStringLiteral("\"%1\" could not be written: %2").arg(file.Name(), f.errorString()));
}

void TextOutputStream::WriteAll(const FolderItem& file, const QString& text) { WriteBytes(file, text.toUtf8()); }
