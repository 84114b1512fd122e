#pragma once
// The word list: ordinary words whose letters would otherwise read as chord names written
// together ("BE", "BAD", "FACE"). Its text holds the words separated by commas, with a comma
// before the first word and after the last; letter case does not matter.
#include <QSet>
#include <QString>

#include "platform/core/files.h"

class WordList {
 public:
  WordList() = default;  // holds no word
  explicit WordList(const QString& text);

  // The list in a file, read whole; an empty list when the file is missing or cannot be read.
  static WordList FromFile(const FolderItem& file);

  const QString& Text() const { return text_; }
  // Whether "," + the word upper-cased + "," occurs in the text, letter case ignored.
  bool Contains(const QString& word) const;

 private:
  QString text_;
  QSet<QString> folded_;  // every piece that has a comma on both sides, case-folded
};

// Keeps the word list for the rest of the run: the first call reads the file, or finds it
// missing, and is never repeated; every later call returns what that one found.
class WordListStore {
 public:
  const WordList& Get(const FolderItem& file);
  bool Loaded() const { return loaded_; }

 private:
  bool loaded_ = false;
  WordList list_;
};

// The application's word list, read from `file` on the first call of the run (an empty list
// when it cannot be read) and returned unchanged afterwards.
const WordList& WordListAGC(const FolderItem& file);
