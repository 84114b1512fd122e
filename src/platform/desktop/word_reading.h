#pragma once
#include <QChar>
#include <QString>
#include <QStringView>
#include <functional>

// How the checked text reads: which words a line holds, and where a re-check of an edit may stop.
// The text being read can hold stretches in "[" and "]" that are not words; reading tells whether
// the character after c is read as text (true) or inside such a stretch (false). A boundary is a
// character that, read as text, parts what comes before it from how what comes after it splits
// into words.
struct WordReading {
  using Found = std::function<void(const QString& word, int start, int length)>;
  void (*words)(QStringView line, const Found& found) = nullptr;
  bool (*isBoundary)(QChar c) = nullptr;
  bool (*readAfter)(bool reading, QChar c) = nullptr;
  // Words that are not looked up (ones with digits, say).
  bool (*skip)(QStringView word) = nullptr;
};
