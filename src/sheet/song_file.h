#pragma once
// The open song's file, read and written without any window: what the Open and Save commands do
// with the bytes, the stamp and the flag. Failures are thrown, for the caller to tell.
#include <QString>
#include <optional>

#include "platform/core/files.h"
#include "sheet/song_document.h"
#include "sheet/song_state.h"

struct SongFileRead {
  QString text;                    // an import's decoded text (empty for a song document)
  SongDocumentRead read;           // the fields, for a song document
  std::optional<FileStamp> stamp;  // the file as it was before it was read
};

// Reads file as a plain-text import or as a song document. Throws when the file cannot be read,
// is no text, or (a song document) holds no song fields: nothing is changed then.
SongFileRead ReadSongFile(const FolderItem& file, bool import);

// Writes the state's document to its file and keeps the file's new stamp; a complete write clears
// the flag. found is the file's stamp as the caller found it just before (the state's own, or one
// the user chose to save over). A write that may not survive a crash keeps its stamp and leaves
// the song modified; a failed write that changed a file found so keeps the stamp it left; that and
// any other failure are thrown. The state must have a file.
void WriteSongFile(SongState& state, const std::optional<FileStamp>& found);
