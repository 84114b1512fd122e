#include "sheet/song_state.h"

#include "sheet/pages.h"

SongState::SongState() = default;

bool SongState::SetText(QString SongDocument::*field, const QString& value) {
  if (doc_.*field == value) return false;
  const bool same = SameWhenSaved(doc_.*field, value);
  doc_.*field = value;
  if (!same) Changed();
  return true;
}

bool SongState::SetNumber(int SongDocument::*field, int value) {
  if (doc_.*field == value) return false;
  doc_.*field = value;
  Changed();
  return true;
}

bool SongState::SetCenterLine(bool value) {
  if (doc_.centerLine == value) return false;
  doc_.centerLine = value;
  Changed();
  return true;
}

double SongState::Scale() const { return DpiScale(dpi_); }

void SongState::MarkChangesWhileOpening() {
  if (changedWhileOpening_) SetModified(true);
}

void SongState::SetModified(bool value) {
  changedWhileOpening_ = false;
  if (modified_ == value) return;
  modified_ = value;
  if (listener_) listener_(value);
}

void SongState::Changed() {
  if (opening_)
    changedWhileOpening_ = true;
  else
    SetModified(true);
}
