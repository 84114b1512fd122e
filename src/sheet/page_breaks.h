#pragma once
// Where the page-break marker stands in a song text, left to right and never overlapping (as
// cutting the whole text at the marker finds it), kept in step with the text's edits: an edit
// costs what it changed and the markers after it, not a walk over the whole song.
#include <QString>
#include <QStringView>
#include <vector>

// The next exact occurrence of a non-empty marker in text at or after from, or -1.
qsizetype NextMarker(QStringView text, QStringView marker, qsizetype from);

class PageBreaks {
 public:
  // The marker's places in text, found afresh.
  void Find(QStringView text, const QString& marker);
  // The places again after an edit of the text the places were found in: text is the text as it
  // now reads, where added characters from offset from took the place of removed ones.
  void Edit(QStringView text, qsizetype from, qsizetype removed, qsizetype added);

  const QString& Marker() const { return marker_; }
  const std::vector<qsizetype>& At() const { return at_; }

 private:
  QString marker_;
  std::vector<qsizetype> at_;
};
