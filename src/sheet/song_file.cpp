#include "sheet/song_file.h"

#include "platform/core/errors.h"
#include "platform/core/file_writer.h"

#include <utility>

SongFileRead ReadSongFile(const FolderItem& file, bool import) {
  SongFileRead r;
  // Taken before the read: a change while the file is read then shows as a change at the next save.
  r.stamp = FileStamp::Of(file);
  // Only regular files are read, and never blocking. Valid UTF-8 is kept as it is; a byte that
  // is not (an older editor's Windows-1252) is read as that character instead of a replacement
  // mark. Bytes that are not text (a NUL, a song document in UTF-16) change nothing.
  r.text = TextInputStream::ReadText(file, import ? TextKind::TextImport : TextKind::SongDocument);
  if (!import) {
    // The text becomes the fields, the song text in place.
    r.read = ParseSongDocument(std::move(r.text));
    r.text = QString();
    if (!r.read.ok) throw RuntimeException(r.read.refusal);
  }
  return r;
}

void WriteSongFile(SongState& state, const std::optional<FileStamp>& found) {
  if (!state.File()) throw NilObjectException(QStringLiteral("The song has no file"));
  try {
    // Written to a temporary file that replaces the old document only once it is complete, or
    // into the file itself where replacing it would lose what it has.
    state.SetStamp(TextOutputStream::WriteBytes(*state.File(), BuildSongDocument(state.Document())));
  } catch (const UnsyncedWriteException& e) {
    state.SetStamp(e.Stamp());
    throw;
  } catch (const TouchedWriteException& e) {
    // The failed write changed the file, if only its time. The stamp it left is taken only when
    // the write found the file as the caller did, which is as this song last read or wrote it,
    // or as the user chose to save over: then every change since is the write's own, and the next
    // save has nothing to ask. When the file had changed in between (another program's write,
    // after the caller looked and before the write began), the stamp stays, so that the next save
    // asks about that change. A write that failed without touching the file changes no stamp.
    if (e.Before() == found) state.SetStamp(e.After());
    throw;
  }
  state.SetModified(false);
}
