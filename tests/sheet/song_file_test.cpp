// The open song's file without a window: a save writes the saved fields and takes the stamp, a
// failed save keeps the flag, and reading gives the fields, the stamp or the refusal.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/core/errors.h"
#include "sheet/song_file.h"
#include "support/file_bytes.h"

TEST(SongFile, ASaveWritesWhatTheFieldsSaveAsTakesTheStampAndClearsTheFlag) {
  QTemporaryDir dir;
  const FolderItem file(dir.filePath("song.hmnt"));
  SongState state;
  std::vector<bool> heard;
  state.OnModifiedChanged([&](bool v) { heard.push_back(v); });
  state.SetText(&SongDocument::title, " Grace ");
  state.SetText(&SongDocument::song, "[G]Amazing\rgrace\r");
  state.SetNumber(&SongDocument::rowHeight, 30);
  state.SetFileAndStamp(file, std::nullopt);
  WriteSongFile(state, std::nullopt);
  EXPECT_EQ(FileBytes(file.Path()), BuildSongDocument(SavedFields(state.Document())));
  EXPECT_EQ(state.Stamp(), FileStamp::Of(file));
  EXPECT_EQ(heard, (std::vector<bool>{true, false}));

  // What was written reads back as the fields a save keeps, with the stamp it had.
  const SongFileRead back = ReadSongFile(file, false);
  ASSERT_TRUE(back.read.ok);
  EXPECT_EQ(back.read.values, SavedFields(state.Document()));
  EXPECT_EQ(back.stamp, state.Stamp());
}

TEST(SongFile, AFailedSaveThrowsAndLeavesTheSongModifiedWithItsStamp) {
  QTemporaryDir dir;
  SongState state;
  state.SetText(&SongDocument::title, "Grace");
  EXPECT_THROW(WriteSongFile(state, std::nullopt), NilObjectException);  // no file yet
  state.SetFileAndStamp(FolderItem(dir.filePath("missing folder/song.hmnt")), std::nullopt);
  EXPECT_ANY_THROW(WriteSongFile(state, std::nullopt));
  EXPECT_TRUE(state.Modified());
  EXPECT_FALSE(state.Stamp().has_value());
}

TEST(SongFile, ReadingGivesTheFieldsOrTheTextOrThrowsTheRefusal) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.hmnt");
  const struct {
    const char* what;
    QByteArray bytes;
    bool import;
    const char* refusal;  // nullptr: read
  } cases[] = {
      {"a song document up to its spacing", "1.0.0\vT\v2\vG\v[G]la\v1\v5", false, nullptr},
      {"a text import", "la\r\nla ", true, nullptr},
      {"no song fields", "just words", false, "The file is not a song document: it holds no song fields."},
      {"an empty file", "", false, "The file is empty."},
  };
  for (const auto& c : cases) {
    PutFile(path, c.bytes);
    const FolderItem file(path);
    if (c.refusal) {
      try {
        ReadSongFile(file, c.import);
        ADD_FAILURE() << c.what << ": read";
      } catch (const std::exception& e) {
        EXPECT_EQ(ExceptionReason(e), QString(c.refusal)) << c.what;
      }
      continue;
    }
    const SongFileRead r = ReadSongFile(file, c.import);
    EXPECT_EQ(r.text, c.import ? QString::fromUtf8(c.bytes) : QString()) << c.what;
    EXPECT_EQ(r.stamp, FileStamp::Of(file)) << c.what;
    if (!c.import) {
      EXPECT_TRUE(r.read.ok) << c.what;
      EXPECT_EQ(r.read.values.title, "T");
      EXPECT_EQ(r.read.values.song, "[G]la");
    }
  }
  EXPECT_ANY_THROW(ReadSongFile(FolderItem(dir.filePath("none.hmnt")), false));
}
