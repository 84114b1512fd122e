#include "sheet/song_state.h"

#include <utility>

#include "sheet/pages.h"

SongState::SongState() = default;

bool SongState::SetText(QString SongDocument::*field, const QString& value) {
  if (doc_.*field == value) return false;
  const bool same = SameWhenSaved(doc_.*field, value);
  doc_.*field = value;
  if (field == &SongDocument::song) breaksKnown_ = false;
  if (!same) SetModified(true);
  return true;
}

bool SongState::EditText(QString SongDocument::*field, const std::vector<TextEdit>& edits) {
  // Checked first, each against the length the edits before it leave, so that a misfit changes
  // nothing.
  qsizetype size = (doc_.*field).size();
  for (const TextEdit& e : edits) {
    if (e.from < 0 || e.removed < 0 || e.from > size || e.removed > size - e.from) return false;
    size += e.added.size() - e.removed;
  }
  QString& text = doc_.*field;
  bool changed = false, same = true;
  for (const TextEdit& e : edits) {
    const QStringView gone = QStringView(text).sliced(e.from, e.removed);
    if (gone == e.added) continue;
    changed = true;
    same = same && SameWhenSavedAfterEdit(text, e.from, e.removed, e.added);
    text.replace(e.from, e.removed, e.added);
    if (field == &SongDocument::song && breaksKnown_) breaks_.Edit(text, e.from, e.removed, e.added.size());
  }
  if (changed && !same) SetModified(true);
  return true;
}

const std::vector<qsizetype>& SongState::PageBreaksFor(const QString& marker) const {
  if (!breaksKnown_ || breaks_.Marker() != marker) {
    breaks_.Find(doc_.song, marker);
    breaksKnown_ = true;
  }
  return breaks_.At();
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
  breaksKnown_ = false;
  if (!same) SetModified(true);
  return true;
}

void SongState::Open(SongDocument doc, std::optional<FolderItem> file, std::optional<FileStamp> stamp) {
  doc_ = std::move(doc);
  breaksKnown_ = false;
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
