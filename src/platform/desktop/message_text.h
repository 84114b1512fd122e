#pragma once
// Message texts as a message box shows them.
#include <QString>

// text with an invisible break opportunity (a zero-width space) inside each run of more than
// 20 characters without a space, every 10 characters, so that a long title or path wraps onto
// further lines instead of being cut off at the box's edge. Nothing else changes.
QString BreakableText(const QString& text);

// A message cut to a size a box can show: at most maxLines lines (the last of them "…" when lines
// were left out) and at most maxLineCharacters characters on each, a longer line shortened in its
// middle as MiddleShortened shortens it. cut tells whether anything was left out.
struct FittedMessage {
  QString text;
  bool cut = false;
};
FittedMessage FitMessage(const QString& message, int maxLines, int maxLineCharacters);

// message for a box's details area: the whole of it, each line longer than 1,000 characters
// broken onto further lines every 1,000 characters (never inside a character), since Qt lays out
// one long line of a text area at once, taking minutes for a million characters.
QString DetailsText(const QString& message);
