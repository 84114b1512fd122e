// Outside text as the program shows it and names files after it: ShownText, the middle
// shortening, a message fitted to a box (the outside text in it as ShownText shows it) and the
// name suggested to a file dialog. Whatever the text, what comes out is text (no surrogate without
// its partner) that breaks no line and turns none: no control character but the message's own line
// feeds, no line or paragraph separator, and every bidi control inside an isolate closed on its
// own line. The file name also fits the 255 bytes of a file name and holds nothing that shows
// nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "mainwindow/window1_document_names.h"
#include "platform/core/outside_text.h"
#include "platform/core/strings.h"
#include "platform/desktop/message_text.h"

namespace {

constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopIsolate = 0x2069;

bool IsIsolateOpener(char16_t c) { return c >= 0x2066 && c <= kFirstStrongIsolate; }

bool IsOtherBidiControl(char16_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E);
}

// Whether every character is whole (a surrogate only in a pair) and none is a control character
// (but a line feed where lineFeeds allows it), a line or a paragraph separator.
bool OnlyWholeCharactersOnTheirLines(QStringView text, bool lineFeeds) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    if (c.isSurrogate()) return false;
    if (c == QLatin1Char('\n') && lineFeeds) continue;
    const QChar::Category category = c.category();
    if (category == QChar::Other_Control || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
      return false;
  }
  return true;
}

// Whether, on every line, each isolate opened is closed on the same line, none is closed that
// was not opened there, and every other bidi control stands inside one.
bool BidiInsideIsolates(QStringView text) {
  qsizetype depth = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'\n') {
      if (depth != 0) return false;
    } else if (IsIsolateOpener(u)) {
      ++depth;
    } else if (u == kPopIsolate) {
      if (--depth < 0) return false;
    } else if (IsOtherBidiControl(u) && depth == 0) {
      return false;
    }
  }
  return depth == 0;
}

// Whether the isolate text opens with its first character stays open up to its last.
bool OneIsolateAroundTheWhole(QStringView text) {
  if (!text.startsWith(QChar(kFirstStrongIsolate)) || !text.endsWith(QChar(kPopIsolate))) return false;
  qsizetype depth = 0;
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (IsIsolateOpener(text[i].unicode())) ++depth;
    if (text[i].unicode() == kPopIsolate && --depth == 0) return false;
  }
  return depth == 1;
}

bool HasBidiControl(QStringView text) {
  for (const QChar c : text)
    if (IsIsolateOpener(c.unicode()) || c.unicode() == kPopIsolate || IsOtherBidiControl(c.unicode())) return true;
  return false;
}

// The characters of text, isolate marks not counted.
qsizetype CharactersWithoutIsolates(const QString& text) {
  qsizetype n = 0;
  for (const char32_t u : text.toUcs4())
    if (!IsIsolateOpener(static_cast<char16_t>(u)) && u != kPopIsolate) ++n;
  return n;
}

// Format characters a name may keep: those that join letters or pictures, or show themselves.
bool IsKeptFormat(char32_t u) {
  return u == 0x200C || u == 0x200D || (u >= 0x0600 && u <= 0x0605) || u == 0x06DD || u == 0x070F || u == 0x0890 ||
         u == 0x0891 || u == 0x08E2 || u == 0x180E || u == 0x110BD || u == 0x110CD || (u >= 0x13430 && u <= 0x1345F) ||
         (u >= 0x1BCA0 && u <= 0x1BCA3) || (u >= 0xE0020 && u <= 0xE007F);
}

void CheckFileName(const QString& title, const QString& extension) {
  const QString name = SuggestedFileName(title, extension);
  FUZZ_CHECK(name.toUtf8().size() <= 255);
  FUZZ_CHECK(QString::fromUtf8(name.toUtf8()) == name);  // valid UTF-8, as the file system holds it
  FUZZ_CHECK(name.endsWith(extension));
  const QString stem = name.chopped(extension.size());
  FUZZ_CHECK(!stem.isEmpty() && Trim(stem) == stem && !stem.startsWith(QLatin1Char('.')));
  FUZZ_CHECK(SuggestedSongName(title).startsWith(stem));
  for (const char32_t u : stem.toUcs4()) {
    FUZZ_CHECK(u != U'/' && u != U':' && u != U'\'' && u != U'&' && u != U',');
    FUZZ_CHECK(QChar::category(u) != QChar::Other_Format || IsKeptFormat(u));
    FUZZ_CHECK(QChar::category(u) != QChar::Other_Control && QChar::category(u) != QChar::Separator_Line &&
               QChar::category(u) != QChar::Separator_Paragraph);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  in.SetUtf16(in.TakeBool());
  const int maxCharacters = in.TakeInt(-2, 120);
  const int maxLines = in.TakeInt(-2, 30);
  const bool pdf = in.TakeBool();
  const QString text = in.TakeText(), other = in.RestText();

  const QString shown = ShownText(text);
  FUZZ_CHECK(OnlyWholeCharactersOnTheirLines(shown, false));
  FUZZ_CHECK(BidiInsideIsolates(shown));
  if (HasBidiControl(shown)) FUZZ_CHECK(OneIsolateAroundTheWhole(shown));
  if (!HasBidiControl(text) && OnlyWholeCharactersOnTheirLines(text, false)) FUZZ_CHECK(shown == text);

  const qsizetype longest = std::max(maxCharacters, 3);
  const QString shortened = MiddleShortened(shown, maxCharacters);
  FUZZ_CHECK(OnlyWholeCharactersOnTheirLines(shortened, false));
  FUZZ_CHECK(BidiInsideIsolates(shortened));
  FUZZ_CHECK(CharactersWithoutIsolates(shortened) <= longest);
  if (shown.toUcs4().size() <= longest) FUZZ_CHECK(shortened == shown);

  // A message as the program writes one, fitted to a box and broken where it wraps.
  const QString message = QStringLiteral("The song \"%1\" could not be opened.\n\n%2").arg(shown, ShownText(other));
  const FittedMessage fitted = FitMessage(message, maxLines, maxCharacters);
  if (!fitted.cut) FUZZ_CHECK(fitted.text == message);
  FUZZ_CHECK(fitted.text.count(QLatin1Char('\n')) < std::max(maxLines, 2));
  for (const QString& line : fitted.text.split(QLatin1Char('\n')))
    FUZZ_CHECK(CharactersWithoutIsolates(line) <= longest);
  for (const QString& boxText : {fitted.text, BreakableText(fitted.text)}) {
    FUZZ_CHECK(OnlyWholeCharactersOnTheirLines(boxText, true));
    FUZZ_CHECK(BidiInsideIsolates(boxText));
  }

  CheckFileName(text, pdf ? QStringLiteral(".pdf") : kSongExtension);
  return 0;
}
