#pragma once
// Where the chord brackets of a long line are, coarsely: the line cut into chunks of a few thousand
// characters, each with its "[" and "]" counted and its last bracket kept. An edit re-reads only
// the chunks it touched, and the bracket that comes last before a chunk is found from the chunk
// summaries, so neither costs a pass over the whole line. Edits that follow one another at one
// place (typing) find their chunk, and the bracket before it, without walking the summaries.
#include <QChar>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

class BracketIndex {
 public:
  // Chunks are cut about this long; an edit keeps each between half and twice this.
  static constexpr int kChunk = 2048;

  // Reads the line's current text from from to to (0-based, to excluded).
  using Reader = std::function<QString(int from, int to)>;

  explicit BracketIndex(QStringView line);

  int Length() const { return length_; }
  int ChunkCount() const { return static_cast<int>(chunks_.size()); }
  int ChunkLength(int k) const { return chunks_[static_cast<size_t>(k)].length; }
  // "[" or "]": the last bracket before chunk k; a null QChar when there is none.
  QChar LastBracketBefore(int k) const;
  // Whether chunk k begins inside a stretch in brackets: the last bracket before it is a "[".
  bool InsideBracketsAt(int k) const { return LastBracketBefore(k) == u'['; }

  // The chunks an edit touched, after it, and their text.
  struct Reread {
    int first = 0;  // chunk indexes, both included
    int last = 0;
    int start = 0;  // where chunk first begins
    QString text;
    bool bracketsChanged = false;  // a "[" or "]" was removed or added
  };
  // The text from at to at + removed was replaced by added characters; read gives the new text.
  // Precondition: at + removed <= Length().
  Reread Edit(int at, int removed, int added, const Reader& read);

 private:
  struct Chunk {
    int length = 0;
    int opens = 0;
    int closes = 0;
    QChar last;  // the chunk's last bracket, if any
  };
  static Chunk Summarise(QStringView text);
  // Cuts text into chunks of about kChunk and puts them in place of chunks [first, end).
  void Replace(size_t first, size_t end, QStringView text);

  std::vector<Chunk> chunks_;
  int length_ = 0;
  // Where the last edit was: a chunk and where it begins.
  size_t hint_ = 0;
  int hintStart_ = 0;
  // The last bracket before chunk knownBefore_ (none when -1); chunks before it are not edited.
  mutable int knownBefore_ = -1;
  mutable QChar knownBracket_;
};
