// The settings store over any file bytes: reading and writing never fail the caller, a write that
// was made reads back, and it leaves every other entry as it read before.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "app/ini_class.h"
#include "fuzz_input.h"

namespace {

const QString& SettingsPath() {
  static QTemporaryDir dir;  // in $TMPDIR: `make fuzz` puts it on a memory file system
  static const QString path = dir.filePath(QStringLiteral("Harmonote.ini"));
  return path;
}

QString Get(iniClass& ini, const QString& section, const QString& key) {
  QString value = QStringLiteral("unset");
  const int n = ini.GetPreference(section, key, value);
  FUZZ_CHECK(n == value.size());
  return value;
}

bool SameEntry(const QString& s1, const QString& k1, const QString& s2, const QString& k2) {
  return QString::compare(s1, s2, Qt::CaseInsensitive) == 0 && QString::compare(k1, k2, Qt::CaseInsensitive) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool haveFile = in.TakeInt(0, 7) != 0;
  const QByteArray before = in.TakeBytes();
  const QString section = in.TakeText(), key = in.TakeText(), value = in.TakeText();
  const QString section2 = in.TakeText(), key2 = in.TakeText();

  const QString& path = SettingsPath();
  QFile::remove(path);
  if (haveFile) {
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(before) == before.size());
  }

  iniClass ini{FolderItem(path)};
  (void)Get(ini, section, key);
  const QString other = Get(ini, section2, key2);
  const qsizetype reported = ini.ReportedFailures().size();
  ini.SetPreference(section, key, value);
  const bool written = ini.ReportedFailures().size() == reported && reported == 0;
  if (!iniClass::IsStorable(section, key, value)) FUZZ_CHECK(!written);
  if (!written) return 0;

  FUZZ_CHECK(Get(ini, section, key) == value);
  if (!SameEntry(section, key, section2, key2)) FUZZ_CHECK(Get(ini, section2, key2) == other);
  // A fresh store reads the file the same way.
  iniClass fresh{FolderItem(path)};
  FUZZ_CHECK(Get(fresh, section, key) == value);
  return 0;
}
