#pragma once
// Which misspelt words of a long line carry their underline on the line's layout. Qt's text engine
// pays for every format range of a line each time it lays the line out or draws it, so a long line
// that the text area shows part of underlines only the words near that part: those that reach
// into a window of the line from a number of words before the part shown to as many after it.
// Pure arithmetic on the sorted list of the line's misspelt words.
#include <QtGlobal>
#include <limits>
#include <utility>

#include "platform/desktop/underlines.h"

// A stretch [from, to) of a line, in the line's offsets; the whole line by default.
class UnderlineWindow {
 public:
  // How many misspelt words before the part shown, and after it, are underlined.
  static constexpr int kNearWords = 64;
  static constexpr int kLineEnd = std::numeric_limits<int>::max();

  UnderlineWindow() = default;
  UnderlineWindow(int from, int to) : from_(from), to_(to) {}
  // From the kNearWords-th word before shown [from, to) to the kNearWords-th after it: from where
  // that word begins, up to where the one after the last counted begins; the line's start or end
  // where there are fewer.
  static UnderlineWindow Around(const Underlines& words, std::pair<int, int> shown);

  int From() const { return from_; }
  int To() const { return to_; }
  bool Covers(std::pair<int, int> shown) const { return shown.first >= from_ && shown.second <= to_; }
  // Moved with the text by an edit at `at` that added shift characters (fewer when negative): the
  // ends after the edit move with it, an end in the text removed goes to where it was.
  void Move(int at, int shift);
  // The words that reach into the window, as [first, last) indexes of words.
  std::pair<qsizetype, qsizetype> Reaching(const Underlines& words) const;

  bool operator==(const UnderlineWindow&) const = default;

 private:
  int from_ = 0;
  int to_ = kLineEnd;
};
