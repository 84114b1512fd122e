// The open song's state without a window: which writes change it, which mark it modified, what
// the listener hears, and an opened song taken whole with its file and stamp.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "sheet/song_state.h"

namespace {
struct Recorded {
  SongState state;
  std::vector<bool> heard;
  Recorded() {
    state.OnModifiedChanged([this](bool v) { heard.push_back(v); });
  }
};
}  // namespace

TEST(SongState, AWriteMarksTheSongExactlyWhenItChangesWhatASaveWrites) {
  const struct {
    const char* what;
    QString SongDocument::*field;
    QString before, after;
    bool changed, modified;
  } cases[] = {
      {"the same title", &SongDocument::title, "Grace", "Grace", false, false},
      {"a blank after the title", &SongDocument::title, "Grace", "Grace ", true, false},
      {"a blank before the key", &SongDocument::key, "G", " G", true, false},
      {"a line end after the song", &SongDocument::song, "[G]la\rla", "[G]la\rla\r", true, false},
      {"a NUL in the tempo", &SongDocument::tempo, "80", QStringLiteral("8") + QChar(u'\0') + "0", true, false},
      {"a letter in the title", &SongDocument::title, "Grace", "Graces", true, true},
      {"a blank inside the song", &SongDocument::song, "la la", "la  la", true, true},
      {"a separator made a blank", &SongDocument::capo, "2", QStringLiteral("2") + QChar(0x0B) + "x", true, true},
      {"an emptied timing", &SongDocument::timing, "3/4", "", true, true},
  };
  for (const auto& c : cases) {
    Recorded r;
    r.state.SetText(c.field, c.before);
    r.state.SetModified(false);
    r.heard.clear();
    EXPECT_EQ(r.state.SetText(c.field, c.after), c.changed) << c.what;
    EXPECT_EQ(r.state.Document().*c.field, c.after) << c.what;
    EXPECT_EQ(r.state.Modified(), c.modified) << c.what;
    EXPECT_EQ(r.heard, c.modified ? std::vector<bool>{true} : std::vector<bool>{}) << c.what;
  }
}

TEST(SongState, LayoutValuesAndTheCentreLineMarkWhenTheyChange) {
  Recorded r;
  EXPECT_FALSE(r.state.SetNumber(&SongDocument::rowHeight, kRowHeightRange.def));
  EXPECT_FALSE(r.state.SetFlag(&SongDocument::centerLine, true));
  EXPECT_FALSE(r.state.Modified());
  EXPECT_TRUE(r.state.SetNumber(&SongDocument::rowHeight, 30));
  EXPECT_TRUE(r.state.Modified());
  r.state.SetModified(false);
  EXPECT_TRUE(r.state.SetFlag(&SongDocument::centerLine, false));
  EXPECT_TRUE(r.state.Modified());
  EXPECT_EQ(r.heard, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(r.state.Document().rowHeight, 30);
  EXPECT_FALSE(r.state.Document().centerLine);
}

TEST(SongState, AWholeDocumentMarksTheSongExactlyWhenASaveWouldWriteOtherBytes) {
  SongDocument before;
  before.title = "Grace";
  before.song = "[G]la la";
  const auto with = [&](auto change) {
    SongDocument d = before;
    change(d);
    return d;
  };
  const struct {
    const char* what;
    SongDocument after;
    bool changed, modified;
  } cases[] = {
      {"the same document", before, false, false},
      {"blanks around the fields", with([](SongDocument& d) {
         d.title = " Grace ";
         d.song = "[G]la la\r";
       }),
       true, false},
      {"a NUL in the key", with([](SongDocument& d) { d.key = QString(QChar(u'\0')); }), true, false},
      {"a letter in the tempo", with([](SongDocument& d) { d.tempo = "80"; }), true, true},
      {"a blank inside the song", with([](SongDocument& d) { d.song = "[G]la  la"; }), true, true},
      {"a layout value", with([](SongDocument& d) { d.fretOffset = 30; }), true, true},
      {"the centre line", with([](SongDocument& d) { d.centerLine = false; }), true, true},
  };
  for (const auto& c : cases) {
    Recorded r;
    r.state.Open(before, std::nullopt, std::nullopt);
    r.heard.clear();
    EXPECT_EQ(r.state.SetDocument(c.after), c.changed) << c.what;
    EXPECT_EQ(r.state.Document(), c.after) << c.what;
    EXPECT_EQ(r.state.Modified(), c.modified) << c.what;
    EXPECT_EQ(r.heard, c.modified ? std::vector<bool>{true} : std::vector<bool>{}) << c.what;
  }
}

TEST(SongState, AnOpenedSongComesWithItsFileAndStampAndUnmodified) {
  QTemporaryDir dir;
  const FolderItem file(dir.filePath("grace.hmnt"));
  QFile f(file.Path());
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  const std::optional<FileStamp> stamp = FileStamp::Of(file);
  ASSERT_TRUE(stamp.has_value());

  Recorded r;
  r.state.SetText(&SongDocument::title, "Edited");
  SongDocument opened;
  opened.title = "Grace";
  opened.rowHeight = 30;
  r.state.Open(opened, file, stamp);
  EXPECT_EQ(r.state.Document(), opened);
  EXPECT_EQ(r.state.File(), file);
  EXPECT_EQ(r.state.Stamp(), stamp);
  EXPECT_FALSE(r.state.Modified());
  EXPECT_EQ(r.heard, (std::vector<bool>{true, false}));
  // A song without a file has no stamp either.
  r.state.SetFileAndStamp(std::nullopt, std::nullopt);
  EXPECT_FALSE(r.state.File().has_value());
  EXPECT_FALSE(r.state.Stamp().has_value());
}

TEST(SongState, TheFlagStaysUntilCleared) {
  Recorded r;
  r.state.SetText(&SongDocument::song, "[G]Amazing grace!");
  r.state.SetText(&SongDocument::song, "[G]Amazing grace");
  EXPECT_TRUE(r.state.Modified());  // until a save or an open clears it
  r.state.SetModified(true);
  EXPECT_EQ(r.heard, std::vector<bool>{true});
}

// An edit tells the same as the whole new text would: the text, whether it changed, whether the
// song is marked, and the page breaks; one that does not fit changes nothing.
TEST(SongState, EditsInPlaceAgreeWithTheWholeText) {
  const QString marker = QStringLiteral("+++++");
  const struct {
    const char* what;
    const char* before;
    std::vector<TextEdit> edits;
    bool modified;
  } cases[] = {
      {"a letter typed", "[G]la\rla", {{5, 0, "x"}}, true},
      {"a line end after the song", "[G]la\rla", {{8, 0, "\r"}}, false},
      {"blanks before the song", "la", {{0, 0, "  "}}, false},
      {"a blank inside", "la la", {{2, 0, " "}}, true},
      {"the same letter over itself", "la", {{1, 1, "a"}}, false},
      {"a page break typed", "one\rtwo", {{4, 0, "+++++\r"}}, true},
      {"a page break broken", "one\r+++++\rtwo", {{6, 1, ""}}, true},
      {"a NUL typed", "la", {{1, 0, QString(QChar(u'\0'))}}, false},
  };
  for (const auto& c : cases) {
    Recorded r;
    r.state.SetText(&SongDocument::song, QString::fromUtf8(c.before));
    r.state.SetModified(false);
    (void)r.state.PageBreaksFor(marker);
    QString whole = QString::fromUtf8(c.before);
    for (const TextEdit& e : c.edits) whole.replace(e.from, e.removed, e.added);
    ASSERT_TRUE(r.state.EditText(&SongDocument::song, c.edits)) << c.what;
    EXPECT_EQ(r.state.Document().song, whole) << c.what;
    EXPECT_EQ(r.state.Modified(), c.modified) << c.what;
    PageBreaks found;
    found.Find(whole, marker);
    EXPECT_EQ(r.state.PageBreaksFor(marker), found.At()) << c.what;
  }
  Recorded r;
  r.state.SetText(&SongDocument::song, QStringLiteral("la"));
  r.state.SetModified(false);
  for (const std::vector<TextEdit>& misfit : {std::vector<TextEdit>{{3, 0, "x"}}, std::vector<TextEdit>{{1, 2, ""}},
                                              std::vector<TextEdit>{{2, 0, "x"}, {0, 4, ""}}}) {
    EXPECT_FALSE(r.state.EditText(&SongDocument::song, misfit));
    EXPECT_EQ(r.state.Document().song, QStringLiteral("la"));
    EXPECT_FALSE(r.state.Modified());
  }
}
