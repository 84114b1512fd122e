#include "sheet/song_state.h"

#include <utility>

#include "sheet/pages.h"

SongState::SongState() = default;

bool SongState::SetText(QString SongDocument::*field, const QString& value) {
  if (doc_.*field == value) return false;
  const bool same = SameWhenSaved(doc_.*field, value);
  doc_.*field = value;
  if (!same) SetModified(true);
  return true;
}

template <class Value>
bool SongState::SetValue(Value SongDocument::*field, Value value) {
  if (doc_.*field == value) return false;
  doc_.*field = value;
  SetModified(true);
  return true;
}

bool SongState::SetNumber(int SongDocument::*field, int value) { return SetValue(field, value); }

bool SongState::SetFlag(bool SongDocument::*field, bool value) { return SetValue(field, value); }

bool SongState::SetDocument(SongDocument doc) {
  if (doc_ == doc) return false;
  const bool same = SameWhenSaved(doc_, doc);
  doc_ = std::move(doc);
  if (!same) SetModified(true);
  return true;
}

void SongState::Open(SongDocument doc, std::optional<FolderItem> file, std::optional<FileStamp> stamp) {
  doc_ = std::move(doc);
  SetFileAndStamp(std::move(file), stamp);
  SetModified(false);
}

void SongState::SetFileAndStamp(std::optional<FolderItem> file, std::optional<FileStamp> stamp) {
  file_ = std::move(file);
  stamp_ = stamp;
}

double SongState::Scale() const { return DpiScale(dpi_); }

void SongState::SetModified(bool value) {
  if (modified_ == value) return;
  modified_ = value;
  if (listener_) listener_(value);
}
