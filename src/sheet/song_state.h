#pragma once
// The open song, apart from the window that shows it: the document's values, the file it belongs
// to with the stamp that file had when it was last read or written, the page the preview shows,
// the output scale, and one flag for unsaved changes.
//
// An opened song is taken whole, with its file and stamp; from then on each control writes its one
// field here, and the controls are filled from here. Writing the value a field already holds is
// no change; a change marks the song modified only when it changes what a save would write (a
// blank at the end of a field does not).
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/core/files.h"
#include "platform/core/text_edit.h"
#include "sheet/page_breaks.h"
#include "sheet/song_document.h"

class SongState {
 public:
  SongState();

  const SongDocument& Document() const { return doc_; }

  // One field each; true when the value changed.
  bool SetText(QString SongDocument::*field, const QString& value);
  // A text field changed by edits, each applied in place in turn, where it changed: what a
  // keystroke costs does not grow with the song. False, with nothing changed, when an edit does
  // not fit the text (the field is then to be set whole).
  bool EditText(QString SongDocument::*field, const std::vector<TextEdit>& edits);
  bool SetNumber(int SongDocument::*field, int value);
  bool SetFlag(bool SongDocument::*field, bool value);
  // Every field at once, marked as the writes of each field one by one would mark them; true when
  // a value changed.
  bool SetDocument(SongDocument doc);

  // A song opened whole, or made anew: its document, its file and that file's stamp, taken at
  // once. The song is then unmodified.
  void Open(SongDocument doc, std::optional<FolderItem> file, std::optional<FileStamp> stamp);

  // The file of the song document (none before the first save, after New and after an import),
  // and how it was when this song last read or wrote it. The two go together: a song given
  // another file (or none) is given that file's stamp with it.
  const std::optional<FolderItem>& File() const { return file_; }
  const std::optional<FileStamp>& Stamp() const { return stamp_; }
  void SetFileAndStamp(std::optional<FolderItem> file, std::optional<FileStamp> stamp);
  // The song's own file as this song's latest write left it.
  void SetStamp(std::optional<FileStamp> stamp) { stamp_ = stamp; }

  // Where the page-break marker stands in the song text, kept in step with its edits.
  const std::vector<qsizetype>& PageBreaksFor(const QString& marker) const;

  // The page the preview shows, 1-based once a song is shown.
  std::int64_t Page() const { return page_; }
  void SetPage(std::int64_t page) { page_ = page; }

  // The resolution the sheet is drawn for (72 is one sheet unit to one dot), and the scale that
  // gives every length.
  double Dpi() const { return dpi_; }
  void SetDpi(double dpi) { dpi_ = dpi; }
  double Scale() const;

  bool Modified() const { return modified_; }
  // Runs the listener when the flag takes another value.
  void SetModified(bool value);
  void OnModifiedChanged(std::function<void(bool)> listener) { listener_ = std::move(listener); }

 private:
  // A field written as it is: any change marks the song.
  template <class Value>
  bool SetValue(Value SongDocument::*field, Value value);

  SongDocument doc_;
  // Found when first asked for after the song text was set.
  mutable PageBreaks breaks_;
  mutable bool breaksKnown_ = false;
  std::optional<FolderItem> file_;
  std::optional<FileStamp> stamp_;
  std::int64_t page_ = 0;
  double dpi_ = 72.0;
  bool modified_ = false;
  std::function<void(bool)> listener_;
};
