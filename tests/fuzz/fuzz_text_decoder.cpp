// The text-file decoder on any bytes, read as a song document and as a text import: valid UTF-8
// is never reinterpreted, a byte-order mark picks the encoding (a UTF-16 or UTF-32 one refuses a
// song document), a text with a NUL is refused, and every other byte is its Windows-1252
// character. Fed in pieces, cut anywhere, the bytes decode exactly as they do whole.
#include <QStringDecoder>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "platform/core/files.h"

namespace {

bool StartsWithWideMark(const QByteArray& b) {
  return b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF") || b.startsWith(QByteArray("\x00\x00\xFE\xFF", 4));
}

// The bytes fed to the decoder in pieces that end at the given cuts.
std::optional<QString> DecodeInPieces(const QByteArray& bytes, TextKind kind, qsizetype step, qsizetype firstCut) {
  TextDecoder decoder(kind);
  qsizetype from = 0;
  for (qsizetype cut = firstCut; from < bytes.size(); cut = std::min(bytes.size(), cut + step)) {
    decoder.Feed(QByteArrayView(bytes).sliced(from, cut - from));
    from = cut;
  }
  return decoder.Finish();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QString> song = DecodeText(bytes, TextKind::SongDocument);
  const std::optional<QString> import = DecodeText(bytes, TextKind::TextImport);
  for (const auto& text : {song, import})
    if (text) FUZZ_CHECK(!text->contains(QChar(u'\0')));
  // Cut in two at every place, and cut after every byte.
  const qsizetype n = bytes.size();
  for (const auto& [kind, whole] : {std::pair{TextKind::SongDocument, song}, {TextKind::TextImport, import}}) {
    for (qsizetype cut = 1; cut < n; ++cut) FUZZ_CHECK(DecodeInPieces(bytes, kind, n, cut) == whole);
    FUZZ_CHECK(DecodeInPieces(bytes, kind, 1, 1) == whole);
  }

  if (StartsWithWideMark(bytes)) {
    FUZZ_CHECK(!song);
    // A text import: what Qt's own decoder makes of the bytes after the mark, unless it has a NUL.
    const bool utf32 =
        bytes.startsWith(QByteArray("\xFF\xFE\x00\x00", 4)) || bytes.startsWith(QByteArray("\x00\x00\xFE\xFF", 4));
    const auto encoding = utf32 ? (bytes[0] == '\xFF' ? QStringConverter::Utf32LE : QStringConverter::Utf32BE)
                                : (bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    QStringDecoder wide(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString reference = wide.decode(QByteArrayView(bytes).sliced(utf32 ? 4 : 2));
    FUZZ_CHECK(import ? *import == reference : reference.contains(QChar(u'\0')));
    return 0;
  }
  FUZZ_CHECK(song == import);
  const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
  const QString lenient = DecodeUtf8OrWindows1252(body);
  FUZZ_CHECK(song ? *song == lenient : lenient.contains(QChar(u'\0')));
  if (IsValidUtf8(body)) {
    // Qt's own decoder, told to keep a leading U+FEFF as text (only one mark is dropped).
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    FUZZ_CHECK(lenient == QString(utf8.decode(body)));
  }
  // What was decoded is valid text: as UTF-8 it decodes to itself.
  FUZZ_CHECK(DecodeUtf8OrWindows1252(lenient.toUtf8()) == lenient);
  FUZZ_CHECK(DecodeWindows1252(body).size() == body.size());
  return 0;
}
