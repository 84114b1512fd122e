#include "tools/word_list.h"

#include "platform/core/errors.h"
#include "platform/core/strings.h"

namespace {

// Case folding character by character, the way a comparison that ignores letter case matches.
QString Fold(const QString& s) {
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, s[i + 1]));
      out += QString::fromUcs4(&folded, 1);
      ++i;
    } else {
      out += QChar(QChar::toCaseFolded(c.unicode()));
    }
  }
  return out;
}

}  // namespace

WordList::WordList(const QString& text) : text_(text) {
  const QStringList pieces = text.split(u',');
  for (qsizetype i = 1; i + 1 < pieces.size(); ++i) folded_.insert(Fold(pieces[i]));
}

WordList WordList::FromFile(const FolderItem& file) {
  try {
    if (!file.IsRegularFile()) return WordList();
    return WordList(TextInputStream::ReadAll(file));
  } catch (const IOException&) {
    return WordList();
  }
}

bool WordList::Contains(const QString& word) const {
  const QString upper = Uppercase(word);
  // A word holding a comma has to match several neighbouring pieces: search the text itself.
  if (upper.contains(u',')) return InStr(text_, "," + upper + ",") > 0;
  return folded_.contains(Fold(upper));
}

const WordList& WordListStore::Get(const FolderItem& file) {
  if (!loaded_) {
    loaded_ = true;  // before the file is touched, so a missing file is not tried again
    list_ = WordList::FromFile(file);
  }
  return list_;
}

const WordList& WordListAGC(const FolderItem& file) {
  static WordListStore store;
  return store.Get(file);
}
