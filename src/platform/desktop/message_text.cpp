#include "platform/desktop/message_text.h"

#include <algorithm>

#include "platform/core/outside_text.h"

namespace {
constexpr int kLongestUnbroken = 20;
constexpr int kPiece = 10;
constexpr char16_t kZeroWidthSpace = 0x200B;
}  // namespace

QString BreakableText(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / kPiece);
  qsizetype runStart = 0;
  const auto flushRun = [&](qsizetype end) {
    const qsizetype length = end - runStart;
    if (length <= kLongestUnbroken) {
      out += QStringView(text).mid(runStart, length);
      return;
    }
    int sinceBreak = 0;
    for (qsizetype i = runStart; i < end; ++i) {
      // Never between the two halves of a character outside the basic plane.
      if (sinceBreak >= kPiece && !text[i].isLowSurrogate()) {
        out += QChar(kZeroWidthSpace);
        sinceBreak = 0;
      }
      out += text[i];
      ++sinceBreak;
    }
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isSpace()) {
      flushRun(i);
      out += text[i];
      runStart = i + 1;
    }
  }
  flushRun(text.size());
  return out;
}

FittedMessage FitMessage(const QString& message, int maxLines, int maxLineCharacters) {
  FittedMessage fitted;
  maxLines = std::max(maxLines, 2);
  // Only the lines kept are ever looked at: a huge message costs no more than its first lines.
  qsizetype start = 0;
  for (int line = 0; start <= message.size(); ++line) {
    qsizetype end = message.indexOf(QLatin1Char('\n'), start);
    if (end < 0) end = message.size();
    if (line == maxLines - 1 && end < message.size()) {
      fitted.text += QStringLiteral("\n") + QChar(0x2026);
      fitted.cut = true;
      break;
    }
    if (line > 0) fitted.text += QLatin1Char('\n');
    const QString whole = message.mid(start, end - start);
    const QString shown = MiddleShortened(whole, maxLineCharacters);
    if (shown != whole) fitted.cut = true;
    fitted.text += shown;
    start = end + 1;
  }
  return fitted;
}

QString DetailsText(const QString& message) {
  constexpr qsizetype kLongestDetailsLine = 1000;
  QString out;
  out.reserve(message.size() + message.size() / kLongestDetailsLine);
  qsizetype sinceBreak = 0;
  for (qsizetype i = 0; i < message.size(); ++i) {
    const QChar c = message[i];
    if (c == QLatin1Char('\n')) {
      sinceBreak = 0;
    } else if (sinceBreak >= kLongestDetailsLine && !c.isLowSurrogate()) {
      out += QLatin1Char('\n');
      sinceBreak = 0;
    }
    out += c;
    if (c != QLatin1Char('\n')) ++sinceBreak;
  }
  return out;
}
