// The open song's state without a window: which writes change it, which mark it modified, and
// what the listener hears.
#include <gtest/gtest.h>

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
  EXPECT_FALSE(r.state.SetCenterLine(true));
  EXPECT_FALSE(r.state.Modified());
  EXPECT_TRUE(r.state.SetNumber(&SongDocument::rowHeight, 30));
  EXPECT_TRUE(r.state.Modified());
  r.state.SetModified(false);
  EXPECT_TRUE(r.state.SetCenterLine(false));
  EXPECT_TRUE(r.state.Modified());
  EXPECT_EQ(r.heard, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(r.state.Document().rowHeight, 30);
  EXPECT_FALSE(r.state.Document().centerLine);
}

TEST(SongState, WritesWhileOpeningMarkOnlyAtTheNextRedrawUnlessTheFlagIsClearedFirst) {
  for (const bool cleared : {false, true}) {
    Recorded r;
    r.state.SetOpening(true);
    r.state.SetText(&SongDocument::song, "[G]Amazing grace");
    r.state.SetNumber(&SongDocument::spacing, 6);
    r.state.SetOpening(false);
    EXPECT_FALSE(r.state.Modified());
    if (cleared) r.state.SetModified(false);
    r.state.MarkChangesWhileOpening();
    EXPECT_EQ(r.state.Modified(), !cleared);
  }
  // Opening that changes nothing a save writes marks nothing.
  Recorded r;
  r.state.SetOpening(true);
  r.state.SetText(&SongDocument::title, " ");
  r.state.SetOpening(false);
  r.state.MarkChangesWhileOpening();
  EXPECT_FALSE(r.state.Modified());
}

TEST(SongState, TheFlagStaysUntilCleared) {
  Recorded r;
  r.state.SetText(&SongDocument::song, "[G]Amazing grace!");
  r.state.SetText(&SongDocument::song, "[G]Amazing grace");
  EXPECT_TRUE(r.state.Modified());  // until a save or an open clears it
  r.state.SetModified(true);
  EXPECT_EQ(r.heard, std::vector<bool>{true});
}
