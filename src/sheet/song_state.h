#pragma once
// The open song, apart from the window that shows it: the document's values, the file it belongs
// to with the stamp that file had when it was last read or written, the page the preview shows,
// the output scale, and one flag for unsaved changes.
//
// Each control writes its one field here. Writing the value a field already holds is no change;
// a change marks the song modified only when it changes what a save would write (a blank at the
// end of a field does not).
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/core/files.h"
#include "sheet/song_document.h"

class SongState {
 public:
  SongState();

  const SongDocument& Document() const { return doc_; }

  // One field each; true when the value changed.
  bool SetText(QString SongDocument::*field, const QString& value);
  bool SetNumber(int SongDocument::*field, int value);
  bool SetCenterLine(bool value);

  // The file of the song document (none before the first save, after New and after an import),
  // and how it was when this song last read or wrote it.
  const std::optional<FolderItem>& File() const { return file_; }
  void SetFile(std::optional<FolderItem> file) { file_ = std::move(file); }
  const std::optional<FileStamp>& Stamp() const { return stamp_; }
  void SetStamp(std::optional<FileStamp> stamp) { stamp_ = stamp; }

  // The page the preview shows, 1-based once a song is shown.
  std::int64_t Page() const { return page_; }
  void SetPage(std::int64_t page) { page_ = page; }

  // The resolution the sheet is drawn for (72 is one sheet unit to one dot), and the scale that
  // gives every length.
  double Dpi() const { return dpi_; }
  void SetDpi(double dpi) { dpi_ = dpi; }
  double Scale() const;

  // While a song is being opened (or its layout reset) its fields are written without marking
  // it; the first redraw after that marks what changed, unless the flag was cleared before.
  bool Opening() const { return opening_; }
  void SetOpening(bool opening) { opening_ = opening; }
  void MarkChangesWhileOpening();

  bool Modified() const { return modified_; }
  // Runs the listener when the flag takes another value.
  void SetModified(bool value);
  void OnModifiedChanged(std::function<void(bool)> listener) { listener_ = std::move(listener); }

 private:
  void Changed();

  SongDocument doc_;
  std::optional<FolderItem> file_;
  std::optional<FileStamp> stamp_;
  std::int64_t page_ = 0;
  double dpi_ = 72.0;
  bool opening_ = false;
  bool changedWhileOpening_ = false;
  bool modified_ = false;
  std::function<void(bool)> listener_;
};
