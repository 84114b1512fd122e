// The real executable's command line, run offscreen: what it prints, where, and its exit status.
// A run that opens a window is watched by the smoke tests' Qt plugin (tests/smoke/smoke_watch.cpp),
// loaded through Qt's environment: it reports a message box on screen and the window's title, then
// closes the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "app/startup.h"

namespace {
// The executable beside the tests' Resources folder in the build tree.
QString Executable() {
  return QFileInfo(QStringLiteral(HARMONOTE_RESOURCES_DIR "/../bin/harmonote")).absoluteFilePath();
}

// The folder of the watcher plugin's folder in the build tree.
QString TestPlugins() {
  return QFileInfo(QStringLiteral(HARMONOTE_RESOURCES_DIR "/../test-plugins")).absoluteFilePath();
}

struct RunResult {
  int status = -1;
  QString out, err;
};

// Runs the program (or a shell line that runs it as "$0") in folder, offscreen, with a home of its
// own; never longer than 60 seconds.
RunResult Start(const QString& folder, const QStringList& arguments, bool throughShell = false) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("HOME", folder);
  env.insert("XDG_CONFIG_HOME", folder + "/config");
  env.insert("QT_PLUGIN_PATH", TestPlugins());
  env.insert("QT_QPA_GENERIC_PLUGINS", "harmonote_smoke_watch");
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(folder);
  if (throughShell)
    p.start("/bin/sh", QStringList{"-c"} + arguments.mid(0, 1) + QStringList{Executable()});
  else
    p.start(Executable(), arguments);
  RunResult r;
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished(5000);
    r.err = "<did not finish>";
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err += QString::fromUtf8(p.readAllStandardError());
  return r;
}

class ExecutableCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFileInfo(Executable()).isExecutable()) << "build the harmonote target: " << Executable().toStdString();
    ASSERT_TRUE(QDir(TestPlugins() + "/generic").exists()) << "build the smoke_watch target";
    QFile song(HARMONOTE_SOURCE_DIR "/examples/Amazing Grace.hmnt");
    ASSERT_TRUE(song.copy(dir.filePath("-reverse")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("a folder"));
  }
  QTemporaryDir dir;
};
}  // namespace

TEST_F(ExecutableCommandLine, HelpAndVersionPrintOnStandardOutputAndOpenNoWindow) {
  const struct {
    const char* option;
    QString out;
  } cases[] = {{"--help", _UsageText()}, {"--version", "Harmonote 1.0.0\n"}};
  for (const auto& c : cases) {
    const RunResult r = Start(dir.path(), {c.option, "a folder"});
    EXPECT_EQ(r.status, 0) << c.option;
    EXPECT_EQ(r.out, c.out) << c.option;  // no window: the run never reported a title
    EXPECT_EQ(r.err, "") << c.option;
  }
  EXPECT_TRUE(_UsageText().startsWith("Usage: harmonote [--help | --version] [--] [SONG]...\n"));
}

TEST_F(ExecutableCommandLine, AnUnknownOptionIsOneLineAndTheUsageOnStandardErrorWithStatusTwo) {
  for (const char* option : {"-reverse", "--bogus", "-platform"}) {
    const RunResult r = Start(dir.path(), {option, "x"});
    EXPECT_EQ(r.status, 2) << option;
    EXPECT_EQ(r.out, "") << option;
    EXPECT_EQ(r.err, QString("harmonote: unknown option \"%1\"\n").arg(option) + _UsageText()) << option;
  }
}

TEST_F(ExecutableCommandLine, AfterTheDoubleDashASongNamedLikeAnOptionOpens) {
  const RunResult r = Start(dir.path(), {"--", "-reverse"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, "title: Harmonote - Amazing Grace\n") << r.err.toStdString();
}

TEST_F(ExecutableCommandLine, AFolderOrANameThatIsNotUtf8IsNamedOverTheShownWindow) {
  const struct {
    QStringList arguments;
    bool throughShell;
    QString message;
  } cases[] = {
      {{"a folder"}, false, "The document cannot be opened: \"a folder\" is a folder."},
      // The shell makes the name's bytes: "caf", then 0xE9 (Latin-1 "é"), which is not UTF-8.
      {{R"sh(exec "$0" "$(printf 'caf\351.hmnt')")sh"},
       true,
       "The document cannot be opened: \"caf\\xE9.hmnt\": the name is not valid UTF-8, so it cannot be opened."},
  };
  {
    QFile f;
    const QByteArray name = QFile::encodeName(dir.path()) + "/caf\xE9.hmnt";
    ASSERT_TRUE(f.open(::fopen(name.constData(), "w"), QIODevice::WriteOnly, QFile::AutoCloseHandle));
  }
  for (const auto& c : cases) {
    const RunResult r = Start(dir.path(), c.arguments, c.throughShell);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "message: " + c.message +
                         "\nmessage over the main window: yes\nmessage on the screen: yes\ntitle: Harmonote\n")
        << r.err.toStdString();
  }
}

TEST_F(ExecutableCommandLine, MissingNamesAreShownAsTextInOneMessageThatFitsTheScreen) {
  QStringList many;
  for (int i = 1; i <= 120; ++i) many << QString("/nowhere/song %1.hmnt").arg(i);
  const struct {
    QStringList arguments;
    QString message;  // as the check prints it: line breaks as blanks
  } cases[] = {
      // Read as markup, the name would make Qt read the device as a picture, without end.
      {{"/nowhere/<img src=/dev/zero>"},
       "The document cannot be opened: \"/nowhere/<img src=/dev/zero>\": there is no such file."},
      {{"/nowhere/<h1>a</h1>\n\x1B.hmnt"},
       "The document cannot be opened: \"/nowhere/<h1>a</h1>\\x0A\\x1B.hmnt\": there is no such file."},
      {many, "These documents cannot be opened.  \"/nowhere/song 1.hmnt\": there is no such file. "},
  };
  for (const auto& c : cases) {
    const RunResult r = Start(dir.path(), c.arguments);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("message: " + c.message)) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("song 120.hmnt")) << r.out.toStdString();  // the rest is in the details
    EXPECT_TRUE(r.out.contains("\nmessage over the main window: yes\nmessage on the screen: yes\ntitle: Harmonote\n"))
        << r.out.toStdString();
  }
}
