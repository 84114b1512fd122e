#include "platform/desktop/message_text.h"

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
