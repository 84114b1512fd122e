#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <sys/stat.h>
#include <functional>

#include "app/ini_class.h"

namespace {

QByteArray ReadFile(const QString& path) {
  if (path.isEmpty()) return "<missing>";
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class IniClassTest : public ::testing::Test {
 protected:
  QString Path() const { return dir.filePath("Harmonote.ini"); }
  iniClass Store() const { return iniClass(FolderItem(Path())); }
  QTemporaryDir dir;
};

const QByteArray kFirstWrite("[Toolbar]\rVisible=0\r", 20);

TEST_F(IniClassTest, NoFileReadsNothingAndTheFirstWriteIsTwentyBytes) {
  iniClass ini = Store();
  QString value = "old";
  EXPECT_EQ(ini.GetPreference("Toolbar", "Visible", value), 0);
  EXPECT_EQ(value, "");
  EXPECT_FALSE(QFile::exists(Path()));

  ini.SetPreference("Toolbar", "Visible", "0");
  EXPECT_EQ(ReadFile(Path()), kFirstWrite);
  EXPECT_EQ(ini.GetPreference("Toolbar", "Visible", value), 1);
  EXPECT_EQ(value, "0");

  ini.SetPreference("Toolbar", "Visible", "1");  // in place: only the value byte changes
  EXPECT_EQ(ReadFile(Path()), QByteArray("[Toolbar]\rVisible=1\r"));
  EXPECT_EQ(iniClass(FolderItem(Path())).GetPreference("Toolbar", "Visible", value), 1);
  EXPECT_EQ(value, "1");
  EXPECT_TRUE(ini.ReportedFailures().isEmpty());
}

TEST_F(IniClassTest, WritesKeepEveryOtherByte) {
  const struct {
    const char* before;
    const char* section;
    const char* key;
    const char* after;
  } rows[] = {
      {"", "Toolbar", "Visible", "[Toolbar]\rVisible=1\r"},
      {"[toolbar]\rvisible=0\r", "Toolbar", "Visible", "[toolbar]\rvisible=1\r"},
      {"[Toolbar]\rOther=x\r[Next]\rA=1\r", "Toolbar", "Visible", "[Toolbar]\rOther=x\rVisible=1\r[Next]\rA=1\r"},
      {"[Toolbar]\r[Next]\rA=1\r", "Toolbar", "Visible", "[Toolbar]\rVisible=1\r[Next]\rA=1\r"},
      {"[Other]\rA=1\r", "Toolbar", "Visible", "[Other]\rA=1\r[Toolbar]\rVisible=1\r"},
      {"[Toolbar]\rIsVisible=0\r", "Toolbar", "Visible", "[Toolbar]\rIsVisible=0\rVisible=1\r"},
      {"[Toolbar]\r[Other]\rVisible=7\r", "Toolbar", "Visible", "[Toolbar]\rVisible=1\r[Other]\rVisible=7\r"},
      {"[Toolbar] x\rVisible=0\r", "Toolbar", "Visible", "[Toolbar] x\rVisible=0\r[Toolbar]\rVisible=1\r"},
      {"[Other]\rA=[Toolbar]\r", "Toolbar", "Visible", "[Other]\rA=[Toolbar]\r[Toolbar]\rVisible=1\r"},
      {"[Toolbar]\rVisible=0\r[Toolbar]\rVisible=5\r", "Toolbar", "Visible",
       "[Toolbar]\rVisible=1\r[Toolbar]\rVisible=5\r"},
      {"[Toolbar]\nVisible=0\n[B]\nC=1\n", "Toolbar", "Visible", "[Toolbar]\nVisible=1\n[B]\nC=1\n"},
      {"[Toolbar]\r\nOther=1\r\n", "Toolbar", "Visible", "[Toolbar]\r\nOther=1\r\nVisible=1\r"},
      {"[Toolbar]\rOther=1", "Toolbar", "Visible", "[Toolbar]\rOther=1\rVisible=1\r"},
      {"[Other]\rA=1", "Toolbar", "Visible", "[Other]\rA=1\r[Toolbar]\rVisible=1\r"},
      {"[Toolbar]\rVisible=0", "Toolbar", "Visible", "[Toolbar]\rVisible=1\r"},
      {"\xEF\xBB\xBF[Toolbar]\rVisible=0\r", "Toolbar", "Visible", "\xEF\xBB\xBF[Toolbar]\rVisible=1\r"},
      {"[Toolbar]\rVisible=0\r", "toolbar", "VISIBLE", "[Toolbar]\rVisible=1\r"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.before);
    WriteFile(Path(), row.before);
    iniClass ini = Store();
    ini.SetPreference(row.section, row.key, "1");
    EXPECT_EQ(ReadFile(Path()), QByteArray(row.after));
    QString value;
    EXPECT_EQ(ini.GetPreference(row.section, row.key, value), 1);
    EXPECT_EQ(value, "1");
    EXPECT_TRUE(ini.ReportedFailures().isEmpty());
  }
}

TEST_F(IniClassTest, ReadsOnlyWholeLinesOfTheOwnSection) {
  const struct {
    const char* file;
    const char* value;
  } rows[] = {
      {"[Toolbar]\rVisible=0\r", "0"},         {"[TOOLBAR]\rVISIBLE=10\r", "10"},
      {"[Toolbar]\rVisible=\r", ""},           {"[Toolbar]\rIsVisible=1\r", ""},
      {"[Toolbar]\r[Other]\rVisible=1\r", ""}, {"[Other]\rVisible=1\r[Toolbar]\r", ""},
      {"[Toolbar] x\rVisible=1\r", ""},        {"[Toolbar]\nVisible=1\n", "1"},
      {"[Toolbar]\r\nVisible=1\r\n", "1"},     {"\xEF\xBB\xBF[Toolbar]\rVisible=1", "1"},
      {"[Toolbar]\rVisible=a=b\r", "a=b"},     {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    WriteFile(Path(), row.file);
    QString value = "old";
    EXPECT_EQ(Store().GetPreference("Toolbar", "Visible", value), int(strlen(row.value)));
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(ReadFile(Path()), QByteArray(row.file));  // a read changes nothing
  }
}

TEST_F(IniClassTest, RefusesTextsThatWouldBreakTheFile) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } rows[] = {{"Toolbar", "Visible", "1\r[Evil]"}, {"Toolbar", "Visible", "1\n"}, {"Toolbar", "Vis=ible", "1"},
              {"Toolbar", "Vis\rible", "1"},       {"Toolbar", "", "1"},          {"Toolbar", "[Next", "1"},
              {"Tool]bar", "Visible", "1"},        {"Tool\nbar", "Visible", "1"}, {"Toolbar", "Visible", "1@"},
              {"Tool@bar", "Visible", "1"},        {"Toolbar", "Vis@ible", "1"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.section) + "/" + row.key + "/" + row.value);
    WriteFile(Path(), kFirstWrite);
    iniClass ini = Store();
    // "@" stands for a NUL, which a C string cannot hold.
    const auto text = [](const char* s) { return QString::fromUtf8(s).replace(u'@', QChar(u'\0')); };
    ini.SetPreference(text(row.section), text(row.key), text(row.value));
    EXPECT_EQ(ReadFile(Path()), kFirstWrite);
    EXPECT_EQ(ini.ReportedFailures().size(), 1);
  }
}

TEST_F(IniClassTest, ForeignBytesAreKeptAndDoNotStopReadingOrWriting) {
  const QByteArray invalid("\x93old\x94=\xFF\r[Toolbar]\rVisible=0\rNote=caf\xE9\r");
  const char withNul[] = "[Other]\rjunk=a\0b\r[Toolbar]\rVisible=0\r";
  const QByteArray nul(withNul, sizeof withNul - 1);
  for (const QByteArray& before : {invalid, nul}) {
    WriteFile(Path(), before);
    iniClass ini = Store();
    QString value;
    EXPECT_EQ(ini.GetPreference("Toolbar", "Visible", value), 1);
    EXPECT_EQ(value, "0");
    ini.SetPreference("Toolbar", "Visible", "1");
    QByteArray after = before;
    after.replace("Visible=0", "Visible=1");
    EXPECT_EQ(ReadFile(Path()), after);
    EXPECT_TRUE(ini.ReportedFailures().isEmpty()) << ini.ReportedFailures().join("|").toStdString();
  }
  // A value in Windows-1252 reads as its characters.
  WriteFile(Path(), invalid);
  QString value;
  Store().GetPreference("Toolbar", "Note", value);
  EXPECT_EQ(value, QString::fromUtf8("café"));
}

TEST_F(IniClassTest, SpecialFilesAreNeitherWaitedOnNorReplaced) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path()).constData(), 0644), 0);
  const QString link = dir.filePath("device.ini");
  ASSERT_TRUE(QFile::link("/dev/null", link));
  for (const QString& path : {Path(), link}) {
    SCOPED_TRACE(path.toStdString());
    iniClass ini{FolderItem(path)};
    QString value;
    EXPECT_EQ(ini.GetPreference("Toolbar", "Visible", value), 0);
    ini.SetPreference("Toolbar", "Visible", "1");
    ASSERT_FALSE(ini.ReportedFailures().isEmpty());
    EXPECT_TRUE(ini.ReportedFailures()[0].contains("is not a regular file")) << ini.ReportedFailures()[0].toStdString();
  }
  EXPECT_TRUE(QFileInfo(Path()).exists() && !QFileInfo(Path()).isFile());
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), "/dev/null");
  EXPECT_FALSE(QFileInfo("/dev/null").isFile());
  // A link to a regular file stays a link; the file it points to is written.
  const QString real = dir.filePath("real.ini");
  WriteFile(real, kFirstWrite);
  const QString toReal = dir.filePath("link.ini");
  ASSERT_TRUE(QFile::link(real, toReal));
  iniClass{FolderItem(toReal)}.SetPreference("Toolbar", "Visible", "1");
  EXPECT_EQ(QFileInfo(toReal).symLinkTarget(), real);
  EXPECT_EQ(ReadFile(real), "[Toolbar]\rVisible=1\r");
}

TEST_F(IniClassTest, UnusableFilesGiveNothingAndLoseNothing) {
  const QByteArray malformed("\xFF\xFE[Toolbar]\rVisible=0\r");
  const struct {
    const char* what;
    std::function<FolderItem(const QTemporaryDir&)> make;
  } rows[] = {
      {"a folder in the file's place",
       [](const QTemporaryDir& d) {
         QDir(d.path()).mkdir("Harmonote.ini");
         return FolderItem(d.filePath("Harmonote.ini"));
       }},
      {"not a text file",
       [&](const QTemporaryDir& d) {
         WriteFile(d.filePath("Harmonote.ini"), malformed);
         return FolderItem(d.filePath("Harmonote.ini"));
       }},
      {"a missing folder", [](const QTemporaryDir& d) { return FolderItem(d.filePath("nowhere/Harmonote.ini")); }},
      {"no file at all", [](const QTemporaryDir&) { return FolderItem(); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    QTemporaryDir d;
    iniClass ini(row.make(d));
    const QByteArray before = ReadFile(ini.iniFileName().Path());
    QString value = "old";
    EXPECT_EQ(ini.GetPreference("Toolbar", "Visible", value), 0);
    EXPECT_EQ(value, "");
    ini.GetPreference("Toolbar", "Visible", value);
    ini.SetPreference("Toolbar", "Visible", "1");
    ini.SetPreference("Toolbar", "Visible", "1");
    EXPECT_EQ(ReadFile(ini.iniFileName().Path()), before);
    EXPECT_FALSE(ini.ReportedFailures().isEmpty());
    EXPECT_LE(ini.ReportedFailures().size(), 2);  // each failure once: one for reading, one for writing
  }
}

}  // namespace
