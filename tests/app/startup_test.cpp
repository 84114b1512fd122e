#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

#include "app/app.h"
#include "app/file_types1.h"
#include "app/ini_class.h"
#include "app/module1.h"
#include "app/startup.h"
#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "platform/desktop/dialogs.h"
#include "support/doubles/scripted_dialogs.h"
#include "settings_folder_fixture.h"

namespace {

class StartupTest : public SettingsFolderTest {
 protected:
  void SetUp() override {
    SettingsFolderTest::SetUp();
    previousDir = QDir::currentPath();
    QDir::setCurrent(root.path());
  }
  void TearDown() override {
    QDir::setCurrent(previousDir);
    // Start-up defined the document types; leave them undefined as the other tests expect.
    FileTypes1::_Release();
    SettingsFolderTest::TearDown();
  }
  QString previousDir;
  ScriptedDialogs dialogs;
  QStringList steps;
};

TEST_F(StartupTest, HandsDocumentsOverBeforeTheWindowExistsAndNamesTheOthersOnceItIsShown) {
  Write(root.filePath("first.hmnt"), "song");
  Write(root.filePath("second.txt"), "text");
  QDir(root.path()).mkdir("a folder");
  ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath("pipe.hmnt")).constData(), 0644), 0);

  const int status = _RunApplication(
      {"first.hmnt", "missing.hmnt", "a folder", "second.txt", "pipe.hmnt"},
      [&] {
        steps << "window";
        // What the main window relies on when it is created.
        EXPECT_EQ(Module1::newPageSymbol, "+++++");
        EXPECT_TRUE(Module1::myINI);
        EXPECT_TRUE(App::Exists());
        EXPECT_TRUE(App::Instance().AutoQuit());
        EXPECT_TRUE(FileTypes1::HMNT() && FileTypes1::Text());
        ASSERT_TRUE(Module1::gOpenThisFile);
        EXPECT_EQ(Module1::gOpenThisFile->Path(), root.filePath("second.txt"));
        EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << "no message before the window";
      },
      [&] {
        steps << "loop";
        EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << "no message before the event loop runs";
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.msgBoxes.isEmpty(); }, 5000));
        return 0;
      });

  EXPECT_EQ(status, 0);
  EXPECT_EQ(steps, QStringList({"window", "loop"}));
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"missing.hmnt\": there is no such file."))
      << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"a folder\" is a folder.")) << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("\"pipe.hmnt\" is not a regular file."))
      << dialogs.msgBoxes[0].toStdString();
  EXPECT_FALSE(dialogs.msgBoxes[0].contains("second.txt"));
  // Released at shutdown: the application object and the document types.
  EXPECT_FALSE(App::Exists());
  EXPECT_FALSE(FileTypes1::HMNT() || FileTypes1::Text());
  EXPECT_EQ(FileTypeRegistry::Find("HMNT"), nullptr);
  EXPECT_EQ(FileTypeRegistry::Find("Text"), nullptr);
}

TEST_F(StartupTest, NoDocumentsLeaveNothingToOpenAndShowNoMessage) {
  EXPECT_EQ(_RunApplication(
                {}, [&] { EXPECT_FALSE(Module1::gOpenThisFile); },
                [] {
                  QTest::qWait(50);
                  return 0;
                }),
            0);
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
}

TEST_F(StartupTest, NamesThatAreNotUtf8AreShownByTheirBytesAndNeverCalledMissingWhenTheyExist) {
  const QByteArray folder = QFile::encodeName(root.path());
  const QByteArray song = folder + "/caf\xE9.hmnt";
  const QByteArray subfolder = folder + "/dossier \xE9t\xE9";
  Write(QString::fromUtf8(folder + "/valid.hmnt"), "song");
  {
    QFile f;
    ASSERT_TRUE(f.open(::fopen(song.constData(), "w"), QIODevice::WriteOnly, QFile::AutoCloseHandle));
  }
  ASSERT_EQ(::mkdir(subfolder.constData(), 0755), 0);
  const struct {
    QByteArray argument;
    QString message;  // "" when it is handed over
  } cases[] = {
      {song, "\"" + root.path() + "/caf\\xE9.hmnt\": the name is not valid UTF-8, so it cannot be opened."},
      {subfolder, "\"dossier \\xE9t\\xE9\" is a folder."},
      {folder + "/gone\xFF.hmnt", "\"" + root.path() + "/gone\\xFF.hmnt\": there is no such file."},
      {folder + "/valid.hmnt", ""},
  };
  for (const auto& c : cases) {
    App::Register(std::make_unique<App>());
    Module1::gOpenThisFile.reset();
    const QString text = _HandOverDocuments({c.argument});
    if (c.message.isEmpty()) {
      EXPECT_TRUE(text.isEmpty()) << text.toStdString();
      EXPECT_TRUE(Module1::gOpenThisFile);
    } else {
      EXPECT_EQ(text, "The document cannot be opened: " + c.message);
      EXPECT_FALSE(Module1::gOpenThisFile);
    }
  }
}

TEST(CommandLine, OptionsBeforeTheDoubleDashDocumentsAfterIt) {
  using Action = CommandLine::Action;
  const struct {
    std::vector<const char*> arguments;  // after the program's name
    Action action;
    QList<QByteArray> documents;
    QString error;
  } cases[] = {
      {{}, Action::Run, {}, ""},
      {{"a.hmnt", "b.txt"}, Action::Run, {"a.hmnt", "b.txt"}, ""},
      {{"--help"}, Action::ShowHelp, {}, ""},
      {{"a.hmnt", "--version"}, Action::ShowVersion, {}, ""},
      {{"--version", "--help"}, Action::ShowVersion, {}, ""},
      {{"-reverse"}, Action::Refuse, {}, "unknown option \"-reverse\""},
      {{"-"}, Action::Refuse, {}, "unknown option \"-\""},
      {{"--help=x"}, Action::Refuse, {}, "unknown option \"--help=x\""},
      {{"-platform", "xcb"}, Action::Refuse, {}, "unknown option \"-platform\""},
      {{"-\xFF"}, Action::Refuse, {}, "unknown option \"-\\xFF\""},
      {{"--", "-reverse", "--", "--help"}, Action::Run, {"-reverse", "--", "--help"}, ""},
      {{"a.hmnt", "--", "-b"}, Action::Run, {"a.hmnt", "-b"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"harmonote"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const CommandLine line = _ParseCommandLine(int(argv.size()), argv.data());
    const QString shown = c.arguments.empty() ? QString("(none)") : QString::fromLatin1(c.arguments[0]);
    EXPECT_EQ(line.action, c.action) << shown.toStdString();
    EXPECT_EQ(line.documents, c.documents) << shown.toStdString();
    EXPECT_EQ(line.error, c.error) << shown.toStdString();
  }
}

TEST(CommandLine, ReadableNamesShowEveryByteThatIsNotUtf8AsHex) {
  const struct {
    QByteArray bytes;
    QString shown;
  } cases[] = {
      {"plain.hmnt", "plain.hmnt"},
      {"caf\xC3\xA9", "caf\u00e9"},
      {"caf\xE9", "caf\\xE9"},
      {"\xC3", "\\xC3"},                    // cut short
      {"\xC0\xAF", "\\xC0\\xAF"},           // an overlong "/"
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
      {"a\tb", "a\\x09b"},
      {"\xF0\x9F\x8E\xB5 song", "\U0001F3B5 song"},
  };
  for (const auto& c : cases) EXPECT_EQ(_ReadableName(c.bytes), c.shown) << c.bytes.toHex().toStdString();
}

TEST_F(StartupTest, AnExceptionDuringStartUpIsReportedAndEndsWithAFailureStatus) {
  const int status = _RunApplication(
      {}, [] { throw IOException("The window could not be made"); },
      [&] {
        steps << "loop";
        return 0;
      });
  EXPECT_NE(status, 0);
  EXPECT_TRUE(steps.isEmpty());  // no event loop
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("The window could not be made"));
  EXPECT_FALSE(App::Exists());
}

TEST_F(StartupTest, WhatTheGuardCatchesDuringTheRunIsShownInAMessageBox) {
  SetErrorReporter({});  // as before any run: reports would only reach the error stream
  const int status = _RunApplication(
      {}, [] {},
      [] {
        Guarded([] { throw IOException("The song could not be read"); });
        return 0;
      });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(dialogs.msgBoxes, QStringList{"An error occurred: The song could not be read"});
  ReportErrorsInDialogs();  // as the test start-up left it, whatever happened above
}

}  // namespace
