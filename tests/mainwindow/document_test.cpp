// Songs as documents on the real window: saving, opening, importing, the document's file, flag
// and title after each command, and failures that must leave the song as it was.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <functional>
#include <unistd.h>

#include "mainwindow/document_fixture.h"

namespace {
const QByteArray kEmptySong("1.0.0\v\v\v\v\v1\v5\v12\v12\v13\v7\v22\v27\v\v\v");  // 33 bytes

QString Report(const ScriptedDialogs& d) { return d.msgBoxes.join(QStringLiteral(" | ")); }
}  // namespace

using SaveTest = DocumentFixture;

TEST_F(SaveTest, SuggestsACleanedNameAndTitlesTheWindowWithItWhenTheDialogIsCancelled) {
  const struct {
    QString title, suggested, windowTitle;
  } cases[] = {
      {"", "Saved Song.hmnt", "Harmonote - Saved Song"},
      {"   ", "Saved Song.hmnt", "Harmonote - Saved Song"},
      // Nothing a file name should not hold, and never a hidden file.
      {":", "Saved Song.hmnt", "Harmonote - Saved Song"},
      {".", "Saved Song.hmnt", "Harmonote - Saved Song"},
      {"..", "Saved Song.hmnt", "Harmonote - Saved Song"},
      {". .hidden", "hidden.hmnt", "Harmonote - hidden"},
      {"Line\nbreak\tand\x1B\a", "Line break and.hmnt", "Harmonote - Line break and"},
      {QString("abc") + QChar(0x202E) + "def", "abc def.hmnt", "Harmonote - abc def"},
      // A separator breaks the line as a line feed does; what shows nothing is left out.
      {QString::fromUtf8("Line\u2028Sep\u2029Para"), "Line Sep Para.hmnt", "Harmonote - Line Sep Para"},
      {QString::fromUtf8("\uFEFF.Zero\u200BWidth Soft\u00ADHyphen\u2060"), "ZeroWidth SoftHyphen.hmnt",
       "Harmonote - ZeroWidth SoftHyphen"},
      // Shortened to the 255 bytes of a file name, the extension kept, never inside a character.
      {QString(300, 'a'), QString(250, 'a') + ".hmnt", "Harmonote - " + QString(300, 'a')},
      {QString::fromUtf8("\u00e9").repeated(200), QString::fromUtf8("\u00e9").repeated(125) + ".hmnt",
       "Harmonote - " + QString::fromUtf8("\u00e9").repeated(200)},
      // No blank is left before the extension where the cut falls after one.
      {QString(249, 'a') + " b", QString(249, 'a') + ".hmnt", "Harmonote - " + QString(249, 'a') + " b"},
      {QString(249, 'a') + QChar(0x2028) + "b", QString(249, 'a') + ".hmnt", "Harmonote - " + QString(249, 'a') + " b"},
      {"Rock & Roll", "Rock  Roll.hmnt", "Harmonote - Rock  Roll"},
      {"Don't, Stop: Now", "Dont Stop Now.hmnt", "Harmonote - Dont Stop Now"},
      {"AC/DC", "AC-DC.hmnt", "Harmonote - AC-DC"},
      {"  Padded  ", "Padded.hmnt", "Harmonote - Padded"},
  };
  for (const auto& c : cases) {
    w->txtTitle()->SetText(c.title);
    const bool dirty = w->Modified();
    EXPECT_TRUE(w->mSave()) << c.title.toStdString();
    EXPECT_EQ(dialogs.saveSuggestions.last(), c.suggested);
    EXPECT_EQ(dialogs.saveFilters.last(), "HMNT");
    EXPECT_EQ(State(), Doc(std::nullopt, dirty, c.windowTitle)) << c.title.toStdString();
  }
  // The flag keeps its value either way.
  w->Modified(false);
  EXPECT_TRUE(w->mSave());
  EXPECT_FALSE(w->Modified());
}

TEST_F(SaveTest, SaveAsOffersATitleWithSeparatorsAsOneLineAndKeepsTheTitleInTheSong) {
  const QString title = QString::fromUtf8("Line\u2028Sep\u2029Para");
  w->txtTitle()->SetText(title);
  dialogs.saveAnswers = {File("first.hmnt")};
  EXPECT_FALSE(w->mSave());
  const FolderItem second = File("Line Sep Para.hmnt");
  dialogs.saveAnswers = {second};
  EXPECT_TRUE(w->_mnuSaveAs_Action());
  ASSERT_EQ(dialogs.saveSuggestions.size(), 2);
  const QString offered = dialogs.saveSuggestions.last();
  EXPECT_EQ(offered, "Line Sep Para.hmnt");
  EXPECT_FALSE(offered.contains(QChar(0x2028)) || offered.contains(QChar(0x2029)));
  EXPECT_TRUE(Bytes(second).startsWith("1.0.0\v" + title.toUtf8() + "\v"));
  EXPECT_EQ(State(), Doc(second, false, "Harmonote - Line\\xE2\\x80\\xA8Sep\\xE2\\x80\\xA9Para"));
}

TEST_F(SaveTest, WritesTheWholeDocumentAndReplacesTheFileWithoutAskingAgain) {
  const FolderItem file = File("song.hmnt");
  w->txtTitle()->SetText("  Title ");
  w->txtSong()->SetText("\r[G]Line one\rline two\r\r");
  w->cbCenterLine()->SetValue(false);
  w->sldrRowHeight()->SetValue(30);
  w->txtTiming()->SetText(" 4/4");
  dialogs.saveAnswers = {file};
  EXPECT_FALSE(w->mSave());
  EXPECT_EQ(Bytes(file), DocBytes({"1.0.0", "Title", "", "", "[G]Line one\rline two", "0", "5", "12", "12", "13", "7",
                                   "22", "30", "4/4", ""}));
  EXPECT_EQ(State(), Doc(file, false, "Harmonote -   Title "));

  // With a file, Save writes over it at once; the title follows the title field.
  w->txtTitle()->SetText("Other");
  EXPECT_TRUE(w->_mnuSave_Action());
  EXPECT_EQ(dialogs.saveSuggestions.size(), 1);
  EXPECT_TRUE(Bytes(file).startsWith("1.0.0\vOther\v"));
  EXPECT_EQ(State(), Doc(file, false, "Harmonote - Other"));
  // Nothing is left beside the document.
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"song.hmnt"});
}

TEST_F(SaveTest, ANulPastedIntoTheSongLeavesItOpenable) {
  const QString withNul = QStringLiteral("N") + QChar(u'\0') + QStringLiteral("UL");
  for (QWidget* control : std::initializer_list<QWidget*>{w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(),
                                                          w->txtTempo(), w->txtSong()}) {
    QGuiApplication::clipboard()->setText(withNul);
    QTest::keyClick(control, Qt::Key_V, Qt::ControlModifier);
  }
  const FolderItem file = File("nul.hmnt");
  dialogs.saveAnswers = {file};
  EXPECT_FALSE(w->mSave());
  EXPECT_FALSE(Bytes(file).contains('\0'));
  w->_mnuNew_Action();
  OpenSong(file);
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << Report(dialogs).toStdString();
  for (const QString& text : {w->txtTitle()->Text(), w->txtCapo()->Text(), w->txtKey()->Text(), w->txtTiming()->Text(),
                              w->txtTempo()->Text(), w->txtSong()->Text()})
    EXPECT_EQ(text, "NUL");
}

TEST_F(SaveTest, AFailedWriteIsToldAndKeepsTheSongTheFlagTheTitleAndItsOwnFile) {
  QDir().mkpath(folder + "/a folder.hmnt");
  Write("plain", "x");
  const bool canLockFolders = geteuid() != 0;
  QDir().mkpath(folder + "/locked");
  QFile::setPermissions(folder + "/locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const FolderItem targets[] = {File("missing folder/song.hmnt"), File("a folder.hmnt"), File("plain/song.hmnt"),
                                File("locked/song.hmnt")};
  for (const FolderItem& target : targets) {
    if (target.Parent().Name() == "locked" && !canLockFolders) continue;
    dialogs.msgBoxes.clear();
    w->txtTitle()->SetText("Kept");
    const QString title = w->Title();
    dialogs.saveAnswers = {target};
    EXPECT_TRUE(w->_mnuSaveAs_Action());
    // The song had no file, and still has none.
    EXPECT_EQ(State(), Doc(std::nullopt, true, title)) << target.Path().toStdString();
    ASSERT_EQ(dialogs.msgBoxes.size(), 1) << target.Path().toStdString();
    EXPECT_TRUE(dialogs.msgBoxes[0].contains(target.Path())) << Report(dialogs).toStdString();
    EXPECT_TRUE(dialogs.msgBoxes[0].contains("could not be written")) << Report(dialogs).toStdString();
    EXPECT_EQ(w->txtTitle()->Text(), "Kept");
  }
  QFile::setPermissions(folder + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(SaveTest, SaveAsAlwaysAsksAndACancelLeavesTheSongWithoutAFile) {
  const FolderItem first = File("first.hmnt"), second = File("second.hmnt");
  w->txtTitle()->SetText("Song");
  dialogs.saveAnswers = {first};
  w->_mnuSave_Action();
  Edit();
  dialogs.saveAnswers = {std::nullopt};
  EXPECT_TRUE(w->_mnuSaveAs_Action());
  EXPECT_EQ(State(), Doc(std::nullopt, true, "Harmonote - Song"));
  dialogs.saveAnswers = {second};
  w->_mnuSave_Action();
  EXPECT_EQ(dialogs.saveSuggestions, (QStringList{"Song.hmnt", "Song.hmnt", "Song.hmnt"}));
  EXPECT_EQ(State(), Doc(second, false, "Harmonote - Song"));
  EXPECT_TRUE(Bytes(first).startsWith("1.0.0\vSong\v"));
}

using OpenTest = DocumentFixture;

TEST_F(OpenTest, ImportsNamesEndingInTxtAndReadsEveryOtherNameAsASongDocument) {
  const struct {
    QString name;
    bool import;
  } cases[] = {{"a.txt", true}, {"a.TXT", true}, {".txt", true}, {"txt", false}, {"a.hmnt", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    w->Modified(false);
    w->_mnuNew_Action();
    w->txtKey()->SetText("Am");
    w->Modified(false);
    const FolderItem file = Write(c.name, SongBytes("From file", "[C]words"));
    dialogs.openAnswers = {file};
    EXPECT_TRUE(w->_mnuOpen_Action());
    EXPECT_EQ(dialogs.openFilters.last(), "HMNT;Text");
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << Report(dialogs).toStdString();
    if (c.import) {
      EXPECT_EQ(State(), Doc(std::nullopt, true, "Harmonote - Harmonote"));
      EXPECT_TRUE(w->txtSong()->Text().startsWith("1.0.0"));
      EXPECT_EQ(w->txtKey()->Text(), "Am");  // the previous song's header stays
    } else {
      EXPECT_EQ(State(), Doc(file, false, "Harmonote - From file"));
      EXPECT_EQ(w->txtSong()->Text(), "[C]words");
      EXPECT_EQ(w->txtKey()->Text(), "G");
    }
  }
}

TEST_F(OpenTest, ReadsTheFieldsAFileHoldsAndStartsOnPageOneWithTheDefaultsUnderThem) {
  const FolderItem full = Write("full.hmnt", DocBytes({"9.9", " T ", "3", "D", "a+++++b+++++c", "0", "4", "9", "10",
                                                       "11", "5", "30", "40", " 6/8", "90 ", "ignored"}));
  // Seven pieces: the oldest documents end after Spacing, without a separator.
  const FolderItem shortDoc = Write("short.hmnt", QByteArray("1.0.0\vShort\v\v\vtext\v1\v8"));
  const FolderItem midDoc =
      Write("mid.hmnt", DocBytes({"1.0.0", "Mid", "", "", "t", "1", "6", "13", "14", "15", "8", "9", "21"}));

  OpenSong(full);
  EXPECT_EQ(w->txtTitle()->Text(), " T ");
  EXPECT_FALSE(w->cbCenterLine()->Value());
  EXPECT_EQ(w->sldrRowHeight()->Value(), 40);
  EXPECT_EQ(w->txtTiming()->Text(), " 6/8");
  EXPECT_EQ(w->txtTempo()->Text(), "90 ");
  EXPECT_EQ(w->lblPage()->text(), "Page: 1");
  EXPECT_EQ(w->TotalPages(), 3);
  EXPECT_EQ(State(), Doc(full, false, "Harmonote -  T "));

  w->UpDownArrows1_Down(nullptr);
  OpenSong(shortDoc);  // a short text takes the defaults for what it lacks, and keeps timing and tempo
  EXPECT_EQ(w->sldrSpacing()->Value(), 8);
  EXPECT_EQ(w->sldrWordSize()->Value(), 12);
  EXPECT_EQ(w->sldrRowHeight()->Value(), 27);
  EXPECT_EQ(w->txtTiming()->Text(), " 6/8");
  EXPECT_EQ(w->CurrentPageNumber(), 1);
  EXPECT_TRUE(w->cbCenterLine()->Value());

  OpenSong(midDoc);
  EXPECT_EQ(w->sldrRowHeight()->Value(), 21);
  EXPECT_FALSE(w->Modified());
}

TEST_F(OpenTest, AFileThatCannotBeReadOrIsNoSongDocumentChangesNothing) {
  QDir().mkpath(folder + "/folder.hmnt");
  const FolderItem broken[] = {
      File("missing.hmnt"),
      File("folder.hmnt"),
      File("missing.txt"),
      Write("empty.hmnt", ""),
      Write("plain.hmnt", "Just some words\rand lines"),
      Write("ten.hmnt", DocBytes({"1.0.0", "a", "b", "c", "d", "1", "5", "12", "12", "13"})),
      // Special files never block and are never read; bytes that are not text are refused.
      Fifo("pipe.hmnt"),
      Fifo("pipe.txt"),
      Socket("socket.hmnt"),
      Link("device.txt", "/dev/zero"),
      Write("binary.hmnt", SongBytes("Garbage", QString("x") + QChar(0) + "y")),
      Write("binary.txt", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\v\v\v", 20)),
      Write("utf16.hmnt", QByteArray("\xFF\xFE") + QByteArray("1\0.\0"
                                                              "0\0.\0"
                                                              "0\0\v\0",
                                                              12)),
  };
  const FolderItem good = Write("good.hmnt", SongBytes("Good", "[G]kept"));
  const std::pair<const char*, std::function<void(const FolderItem&)>> paths[] = {
      {"Open command",
       [&](const FolderItem& f) {
         dialogs.messageAnswers = {DialogButton::Alternate};
         dialogs.openAnswers = {f};
         EXPECT_TRUE(w->_mnuOpen_Action());
       }},
      {"mOpenFile", [&](const FolderItem& f) { w->mOpenFile(f); }},
      {"start-up timer",
       [&](const FolderItem& f) {
         Module1::gOpenThisFile = f;
         w->Timer1_Action(w->Timer1());
       }},
  };
  for (const auto& [via, open] : paths) {
    OpenSong(good);
    w->sldrFrets()->SetValue(9);
    for (const FolderItem& f : broken) {
      SCOPED_TRACE(std::string(via) + " " + f.Name().toStdString());
      const DocState before = State();
      dialogs.msgBoxes.clear();
      open(f);
      EXPECT_EQ(State(), before);
      EXPECT_EQ(w->txtSong()->Text(), "[G]kept");
      EXPECT_EQ(w->sldrFrets()->Value(), 9);
      ASSERT_EQ(dialogs.msgBoxes.size(), 1);
      EXPECT_TRUE(dialogs.msgBoxes[0].contains(f.Path())) << Report(dialogs).toStdString();
    }
  }
  // The refusal says why.
  const std::pair<const FolderItem&, const char*> reasons[] = {
      {broken[4], "not a song document"},
      {broken[1], "\"folder.hmnt\" is a folder."},
      {broken[6], "\"pipe.hmnt\" is not a regular file."},
      {broken[8], "\"socket.hmnt\" is not a regular file."},
      {broken[9], "\"device.txt\" is not a regular file."},
      {broken[10], "\"binary.hmnt\" is not a song document."},
      {broken[11], "\"binary.txt\" is not a song document."},
      {broken[12], "\"utf16.hmnt\" is not a song document."},
  };
  for (const auto& [file, reason] : reasons) {
    dialogs.msgBoxes.clear();
    w->mOpenFile(file);
    ASSERT_EQ(dialogs.msgBoxes.size(), 1);
    EXPECT_TRUE(dialogs.msgBoxes[0].contains(reason)) << Report(dialogs).toStdString();
  }
}

TEST_F(OpenTest, AFailureNamesTheFileWithItsControlCharactersEscapedAndItsBidiRunIsolated) {
  const QString isolate(QChar(0x2068)), endIsolate(QChar(0x2069)), rightToLeft(QChar(0x202E));
  const struct {
    FolderItem file;
    QString message;
  } cases[] = {
      {File("<h1>a</h1>\n\x1B.hmnt"), "The song \"" + folder + "/<h1>a</h1>\\x0A\\x1B.hmnt\" could not be opened."},
      {Fifo("pipe\t.hmnt"),
       "The song \"" + folder + "/pipe\\x09.hmnt\" could not be opened.\n\n\"pipe\\x09.hmnt\" is not a regular file."},
      {File(QString("abc") + rightToLeft + QString("def.hmnt")), QString("The song \"") + isolate + folder + "/abc" +
                                                                     rightToLeft + QString("def.hmnt") + endIsolate +
                                                                     "\" could not be opened."},
  };
  for (const auto& c : cases) {
    dialogs.msgBoxes.clear();
    w->mOpenFile(c.file);
    ASSERT_EQ(dialogs.msgBoxes.size(), 1);
    EXPECT_TRUE(dialogs.msgBoxes[0].startsWith(c.message)) << Report(dialogs).toStdString();
  }
}

TEST_F(OpenTest, OneInvalidByteLeavesTheValidTextAsItIs) {
  QByteArray bytes = SongBytes(QString::fromUtf8("Café"), QString::fromUtf8("[G]Café “x”"));
  bytes.replace("x", "\x92");  // one Windows-1252 apostrophe among UTF-8
  OpenSong(Write("mixed.hmnt", bytes));
  EXPECT_EQ(w->txtTitle()->Text(), QString::fromUtf8("Café"));
  EXPECT_EQ(w->txtSong()->Text(), QString::fromUtf8("[G]Café “’”"));
  w->_mnuSave_Action();
  EXPECT_EQ(Bytes(*w->myFile()), SongBytes(QString::fromUtf8("Café"), QString::fromUtf8("[G]Café “’”")));
}

TEST_F(OpenTest, ImportsTextWithAWideByteOrderMark) {
  const QString text = QString::fromUtf8("[G]Café\n♫");
  const QByteArray utf16 =
      QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  QByteArray utf32("\xFF\xFE\0\0", 4);
  for (char32_t cp : text.toUcs4()) utf32 += QByteArray(reinterpret_cast<const char*>(&cp), 4);
  for (const auto& [name, bytes] : {std::pair{"utf16.txt", utf16}, std::pair{"utf32.txt", utf32}}) {
    w->mOpenFile(Write(name, bytes));
    EXPECT_EQ(w->txtSong()->Text(), QString::fromUtf8("[G]Café\r♫")) << name;
  }
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << Report(dialogs).toStdString();
}

TEST_F(OpenTest, ARefusedTextLeavesTheWindowAsItWasAndRedrawing) {
  w->txtTitle()->SetText("Before");
  w->Modified(false);
  EXPECT_ANY_THROW(w->ParseFile("one piece only"));
  EXPECT_EQ(w->txtTitle()->Text(), "Before");
  Edit();
  EXPECT_TRUE(w->Modified());  // edits still redraw and mark the song
}

TEST_F(OpenTest, ImportsTextThatIsNotUtf8AsWindows1252) {
  const FolderItem file = Write("old.txt", QByteArray("Caf\xE9 \x93quoted\x94\r[G]line"));
  w->mOpenFile(file);
  EXPECT_EQ(w->txtSong()->Text(), QString::fromUtf8("Café “quoted”\r[G]line"));
  const FolderItem utf8 = Write("new.txt", QString::fromUtf8("Café\n“x”").toUtf8());
  w->mOpenFile(utf8);
  EXPECT_EQ(w->txtSong()->Text(), QString::fromUtf8("Café\r“x”"));
}

TEST_F(OpenTest, RoundTripsThroughTheWindow) {
  const FolderItem empty = Write("empty song.hmnt", kEmptySong);
  OpenSong(empty);
  w->_mnuSave_Action();
  EXPECT_EQ(Bytes(empty), kEmptySong);
  EXPECT_EQ(kEmptySong.size(), 33);

  const FolderItem padded = Write("padded.hmnt", DocBytes({"1.0.0", "  Title ", " 2 ", "\tG ", "\r [G]song \r", "1",
                                                           "5", "12", "12", "13", "7", "22", "27", " 3/4 ", " 80 "}));
  OpenSong(padded);
  w->_mnuSave_Action();
  EXPECT_EQ(Bytes(padded), DocBytes({"1.0.0", "Title", "2", "G", "[G]song", "1", "5", "12", "12", "13", "7", "22", "27",
                                     "3/4", "80"}));
}

// The "*" shows exactly when a save would write other bytes than the file holds: keys typed at the
// end of a field, then a save.
TEST_F(OpenTest, TheSongIsModifiedExactlyWhenASaveWouldWriteOtherBytes) {
  const QByteArray original = SongBytes("Grace", "[G]Amazing\rgrace");
  const struct {
    const char* what;
    std::function<QWidget*()> field;
    const char* keys;
    bool modified;
  } cases[] = {
      {"a blank after the title", [&] { return (QWidget*)w->txtTitle(); }, " ", false},
      {"blanks after the key", [&] { return (QWidget*)w->txtKey(); }, "  ", false},
      {"a blank after the song text", [&] { return (QWidget*)w->txtSong(); }, " ", false},
      {"a line end after the song text", [&] { return (QWidget*)w->txtSong(); }, "\r", false},
      {"a letter after the title", [&] { return (QWidget*)w->txtTitle(); }, "s", true},
      {"a blank and a letter after the title", [&] { return (QWidget*)w->txtTitle(); }, " s", true},
      {"a letter after the song text", [&] { return (QWidget*)w->txtSong(); }, "!", true},
      {"a letter after the tempo", [&] { return (QWidget*)w->txtTempo(); }, "0", true},
  };
  w->show();
  for (const auto& c : cases) {
    const FolderItem file = Write("song.hmnt", original);
    OpenSong(file);
    ASSERT_FALSE(w->isWindowModified()) << c.what;
    QWidget* field = c.field();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
    for (const char* k = c.keys; *k; ++k) {
      if (*k == '\r')
        QTest::keyClick(field, Qt::Key_Return);
      else
        QTest::keyClicks(field, QString(QChar(*k)));
    }
    EXPECT_EQ(w->Modified(), c.modified) << c.what;
    EXPECT_EQ(w->isWindowModified(), c.modified) << c.what;
    w->_mnuSave_Action();
    EXPECT_EQ(Bytes(file) != original, c.modified) << c.what;
    EXPECT_TRUE(dialogs.msgBoxes.isEmpty()) << Report(dialogs).toStdString();
  }
}

TEST_F(OpenTest, TheExampleSongShowsASecondColumnAndASecondPageAndSavesBackUnchanged) {
  const FolderItem example(QStringLiteral(HARMONOTE_SOURCE_DIR) + "/examples/Amazing Grace.hmnt");
  const QByteArray original = Bytes(example);
  OpenSong(example);
  EXPECT_EQ(w->Title(), "Harmonote - Amazing Grace");
  EXPECT_EQ(w->TotalPages(), 2);
  const QStringList lines = w->txtSong()->Text().split('\r');
  EXPECT_TRUE(lines.contains("-----"));
  for (const char* mark : {"[G/B]", "!", "{", "*", "<"}) EXPECT_TRUE(w->txtSong()->Text().contains(mark)) << mark;
  const FolderItem copy = File("copy.hmnt");
  dialogs.saveAnswers = {copy};
  w->_mnuSaveAs_Action();
  EXPECT_EQ(Bytes(copy), original);
}

using LifecycleTest = DocumentFixture;

TEST_F(LifecycleTest, FileFlagAndTitleFollowEveryEvent) {
  const FolderItem saved = File("saved.hmnt"), other = File("other.hmnt");
  const FolderItem song = Write("song.hmnt", SongBytes("Opened", "[G]x"));
  const FolderItem text = Write("words.txt", "la la");
  const struct {
    const char* event;
    std::function<void()> run;
    DocState after;
  } steps[] = {
      {"window opened", [] {}, Doc(std::nullopt, false, "Harmonote")},
      {"edit", [&] { Edit(); }, Doc(std::nullopt, true, "Harmonote")},
      {"title edited", [&] { w->txtTitle()->SetText("My Song"); }, Doc(std::nullopt, true, "Harmonote")},
      {"save dialog cancelled", [&] { EXPECT_TRUE(w->_mnuSave_Action()); },
       Doc(std::nullopt, true, "Harmonote - My Song")},
      {"saved",
       [&] {
         dialogs.saveAnswers = {saved};
         w->_mnuSave_Action();
       },
       Doc(saved, false, "Harmonote - My Song")},
      {"slider moved", [&] { w->sldrSpacing()->SetValue(7); }, Doc(saved, true, "Harmonote - My Song")},
      {"centre line", [&] { w->cbCenterLine()->SetValue(false); }, Doc(saved, true, "Harmonote - My Song")},
      {"saved again", [&] { w->_mnuSave_Action(); }, Doc(saved, false, "Harmonote - My Song")},
      {"page down", [&] { w->UpDownArrows1_Down(nullptr); }, Doc(saved, false, "Harmonote - My Song")},
      {"restore defaults", [&] { w->_mnuRestoreDefaults_Action(); }, Doc(saved, true, "Harmonote - My Song")},
      {"save as cancelled", [&] { w->_mnuSaveAs_Action(); }, Doc(std::nullopt, true, "Harmonote - My Song")},
      {"save as",
       [&] {
         dialogs.saveAnswers = {other};
         w->_mnuSaveAs_Action();
       },
       Doc(other, false, "Harmonote - My Song")},
      {"new", [&] { w->_mnuNew_Action(); }, Doc(std::nullopt, false, "Harmonote - Untitled")},
      {"document opened",
       [&] {
         dialogs.openAnswers = {song};
         w->_mnuOpen_Action();
       },
       Doc(song, false, "Harmonote - Opened")},
      // The song's layout is the defaults already: nothing a save would write changed.
      {"restore defaults after opening", [&] { w->_mnuRestoreDefaults_Action(); },
       Doc(song, false, "Harmonote - Opened")},
      {"edited after opening", [&] { Edit(); }, Doc(song, true, "Harmonote - Opened")},
      {"open dialog cancelled",
       [&] {
         dialogs.messageAnswers = {DialogButton::Alternate};
         w->_mnuOpen_Action();
       },
       Doc(std::nullopt, true, "Harmonote - Opened")},
      {"text imported",
       [&] {
         dialogs.messageAnswers = {DialogButton::Alternate};
         dialogs.openAnswers = {text};
         w->_mnuOpen_Action();
       },
       Doc(std::nullopt, true, "Harmonote - Harmonote")},
  };
  for (const auto& s : steps) {
    s.run();
    EXPECT_EQ(State(), s.after) << s.event;
  }
  // Only the two Opens on a modified song asked.
  EXPECT_EQ(dialogs.messageDialogs.size(), 2);
}

TEST_F(LifecycleTest, NewEmptiesTheSongButKeepsTheCentreLine) {
  OpenSong(Write("song.hmnt", DocBytes({"1.0.0", "T", "1", "C", "[C]x+++++y", "0", "9", "8", "8", "19", "4", "8", "44",
                                        "2/4", "60"})));
  w->UpDownArrows1_Down(nullptr);
  w->Modified(false);
  EXPECT_TRUE(w->_mnuNew_Action());
  EXPECT_TRUE(dialogs.messageDialogs.empty());
  for (TextField* f : {w->txtTitle(), w->txtCapo(), w->txtKey(), w->txtTiming(), w->txtTempo()})
    EXPECT_EQ(f->Text(), "") << f->objectName().toStdString();
  EXPECT_EQ(w->txtSong()->Text(), "");
  EXPECT_FALSE(w->cbCenterLine()->Value());
  EXPECT_EQ(w->sldrRowHeight()->Value(), 27);
  EXPECT_EQ(w->sldrSpacing()->Value(), 5);
  EXPECT_EQ(w->CurrentPageNumber(), 1);
}

TEST_F(LifecycleTest, SetDefaultsChangesOnlyTheLayoutAndThePage) {
  OpenSong(Write("song.hmnt",
                 DocBytes({"1.0.0", "T", "1", "C", "a+++++b", "0", "9", "8", "8", "19", "4", "8", "44", "2/4", "60"})));
  w->UpDownArrows1_Down(nullptr);
  w->SetDefaults();
  const int values[] = {w->sldrSpacing()->Value(),     w->sldrWordSize()->Value(), w->sldrChords()->Value(),
                        w->sldrChordOffset()->Value(), w->sldrFrets()->Value(),    w->sldrFretOffset()->Value(),
                        w->sldrRowHeight()->Value()};
  EXPECT_EQ(std::vector<int>(std::begin(values), std::end(values)), (std::vector<int>{5, 12, 12, 13, 7, 22, 27}));
  EXPECT_EQ(w->lblPage()->text(), "Page: 1");
  EXPECT_EQ(w->txtTitle()->Text(), "T");
  EXPECT_EQ(w->txtSong()->Text(), "a+++++b");
  EXPECT_FALSE(w->cbCenterLine()->Value());
  EXPECT_TRUE(w->Modified());
}
