#include "sheet/sheet_renderer.h"

#include <QColor>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "platform/core/strings.h"
#include "platform/core/text_shaping.h"
#include "sheet/markup.h"
#include "sheet/pages.h"

namespace {

// Positions are whole numbers: every step is computed in double precision and cut toward zero.
int Trunc(double v) { return static_cast<int>(std::trunc(v)); }

constexpr double kWrap = 4000;  // wrap width of every height measurement

// A text longer than this is drawn only as far as it can reach the sheet (PageDrawer::Shown),
// measured from its first kFirstProbe characters on.
constexpr qsizetype kLongText = 4096;
constexpr qsizetype kFirstProbe = 256;

// Whether every character of a text is laid out left to right in the order it comes: the text
// holds no right-to-left letter and no right-to-left embedding, override or isolate, so that any
// start of it is laid out as that start of the whole text is.
bool LaidOutInOrder(QStringView text) {
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t u = text[i].unicode();
    if (u < 0x0590) continue;  // nothing below the Hebrew block goes right to left
    char32_t c = u;
    if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate())
      c = QChar::surrogateToUcs4(u, text[++i].unicode());
    switch (QChar::direction(c)) {
      case QChar::DirR:
      case QChar::DirAL:
      case QChar::DirRLE:
      case QChar::DirRLO:
      case QChar::DirRLI:
      case QChar::DirFSI:
        return false;
      default:
        break;
    }
  }
  return true;
}

// The blank and every letter, digit and sign of ASCII.
const QString& PrintableAscii() {
  static const QString ascii = [] {
    QString s;
    for (char16_t u = 0x20; u < 0x7F; ++u) s += QChar(u);
    return s;
  }();
  return ascii;
}

// Text sizes are computed in double precision and set in single precision.
void SetSize(Graphics& g, double size) { g.TextSize(static_cast<float>(size)); }

// Draws one page's lines. Holds the drawing position and the reading state of the page.
class PageDrawer {
 public:
  PageDrawer(Graphics& g, const SheetInput& in, int y)
      : g_(g), in_(in), d_(in.scale), left_(Trunc(10 * d_)), x_(left_), y_(y), top_(y) {}

  void DrawLines(QStringView pageText) {
    const qsizetype n = pageText.size();
    if (n > 0) limit_ = SkipLimit();
    g_.Bold(false);
    WordSize();
    qsizetype drawTo = 0;  // lines before this one are drawn whatever their place
    for (qsizetype from = 0; n > 0;) {
      if (y_ > limit_ && from >= drawTo) {
        // Nothing of this line reaches the sheet, and the lines after it only go lower until a
        // column marker takes the drawing back up: they are read for the states they hand on,
        // and not measured, drawn or advanced over. A line among them whose ink may rise higher
        // than any other's is measured first: when it can reach the sheet, it and the lines
        // before it are drawn, so that it stands where it belongs.
        markup::LineState s{g_.Bold(), paragraph_};
        bool reaching = false;
        const qsizetype stop =
            markup::ReadStatesToColumn(pageText, from, s, [&](QStringView line) { return reaching = Reaches(line); });
        if (reaching) {
          drawTo = stop + 1;
        } else {
          from = stop;
          if (s.bold != g_.Bold()) g_.Bold(s.bold);
          paragraph_ = s.paragraph;
          if (from == n) break;
        }
      }
      const qsizetype end = markup::LineEnd(pageText, from);
      DrawLine(pageText.sliced(from, end - from), end == n);
      if (end == n) break;
      from = end + 1;
    }
  }

 private:
  // How far above its baseline anything drawn for a line of printable ASCII can reach: the higher
  // of the chord name and the top fret value, plus the higher of the line height and the ink of
  // those letters at the largest text size. Every other line is looked at by itself (Reaches).
  double Reach() {
    SetSize(g_, MaxSize());
    double text = 0;
    for (const bool b : {true, false}) {
      g_.Bold(b);
      text = std::max({text, g_.StringHeight(QString(), kWrap), g_.InkRise(PrintableAscii())});
    }
    return MaxOffset() + text;
  }

  double MaxSize() const { return std::max({in_.wordSize, in_.chordSize, in_.fretSize}) * d_; }
  double MaxOffset() const { return std::max({0, in_.chordOffset, in_.fretOffset}) * d_; }

  // Whether a line that holds more than printable ASCII, with its baseline at the current y or
  // lower (lines only go lower until a column marker), can reach the sheet. Only a line that may
  // rise higher than Reach() is measured: the ink of each of its words at the largest text size,
  // bold and regular, above the highest offset.
  bool Reaches(QStringView line) {
    if (!HoldsMarksOrFormat(line) && g_.FaceCovers(line.toString())) return false;
    return y_ - LineRise(line) <= g_.Height();
  }

  // Below this baseline a line of printable ASCII draws nothing on the sheet; a face without
  // those letters of its own leaves every line drawn.
  double SkipLimit() {
    if (!g_.FaceCovers(PrintableAscii())) return std::numeric_limits<double>::infinity();
    return g_.Height() + Reach();
  }

  double LineRise(QStringView line) {
    const bool bold = g_.Bold();
    SetSize(g_, MaxSize());
    double rise = 0;
    for (const bool b : {false, true}) {
      g_.Bold(b);
      for (const QStringView word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        rise = std::max(rise, g_.InkRise(word.toString()));
    }
    g_.Bold(bold);
    WordSize();
    return MaxOffset() + rise;
  }

  // Where nothing drawn reaches back onto the sheet: a sheet's width past its right edge (no
  // glyph reaches that far to the left of where it is drawn).
  double OffSheet() const { return 2.0 * g_.Width(); }

  // The part of a text drawn from x, at the size and weight set, that can reach the sheet: the
  // whole of a text of up to kLongText characters, or of one not laid out in the order of its
  // characters (LaidOutInOrder); else the shortest start of it, as the probes find it, that
  // reaches past OffSheet(). start(n) makes the text of the source's first n characters. Sets
  // cut when only a start is given.
  QString Shown(QStringView source, double x, const std::function<QString(qsizetype)>& start, bool& cut) {
    cut = false;
    const qsizetype n = source.size();
    if (n > kLongText && LaidOutInOrder(source)) {
      for (qsizetype k = kFirstProbe; k < n; k *= 2) {
        const qsizetype at = source[k - 1].isHighSurrogate() ? k + 1 : k;  // never inside a pair
        QString part = start(at);
        if (x + g_.StringWidth(part) >= OffSheet()) {
          cut = true;
          return part;
        }
      }
    }
    return start(n);
  }

  // lastLine: the page's last line, after which nothing is drawn, so that the line does not
  // advance the drawing position.
  void DrawLine(QStringView line, bool lastLine) {
    const markup::LineKind kind = markup::KindOf(line);
    QString last;  // the last text the line read: its height is the paragraph advance
    switch (kind) {
      case markup::LineKind::Column:
        left_ = Trunc(g_.Width() / 2.0 + 10 * d_);
        y_ = Trunc(top_ - in_.rowHeight * d_);
        last = line.toString();
        break;
      case markup::LineKind::TopColumn:
        left_ = Trunc(g_.Width() / 2.0 + 10 * d_);
        y_ = Trunc(12 * d_ - in_.rowHeight * d_);
        last = line.toString();
        break;
      case markup::LineKind::Caption: {
        y_ = Trunc(y_ + 6 * d_);
        x_ = left_;
        g_.Bold(true);
        // The caption of a start of the line is that start of the line's caption.
        bool cut = false;
        last = Shown(
            line, x_, [&](qsizetype n) { return markup::CaptionText(line.first(n).toString()); }, cut);
        Draw(last, x_, y_);
        g_.Bold(false);
        if (cut && paragraph_ && !lastLine) last = markup::CaptionText(line.toString());
        break;
      }
      case markup::LineKind::Words:
        last = DrawWords(line);
        break;
    }
    if (lastLine) return;
    if (paragraph_)
      y_ = Trunc(y_ + g_.StringHeight(last, kWrap));
    else
      y_ = Trunc(y_ + in_.rowHeight * d_);
    x_ = left_;
  }

  void WordSize() { SetSize(g_, in_.wordSize * d_); }

  // The width of a text at the word size, cut toward zero. Words come back often within a page,
  // and a width depends only on the text, the size and the bold state, so each is measured once
  // per call and state.
  int WordWidth(const QString& text) {
    QHash<QString, int>& cache = widths_[g_.Bold() ? 1 : 0];
    auto it = cache.constFind(text);
    if (it != cache.constEnd()) return *it;
    const int w = Trunc(g_.StringWidth(text));
    cache.insert(text, w);
    return w;
  }

  // An empty text draws nothing, so it is not handed on; of a long text only what can reach the
  // sheet is drawn (Shown).
  void Draw(const QString& text, double x, double y) {
    if (text.isEmpty()) return;
    if (text.size() <= kLongText) {
      g_.DrawString(text, x, y);
      return;
    }
    bool cut = false;
    g_.DrawString(Shown(
                      text, x, [&](qsizetype n) { return text.left(n); }, cut),
                  x, y);
  }

  // Draws a text run at the word size from the drawing position and gives how far it advances:
  // its width, or, for a long run of which only a start can reach the sheet, as far as past it.
  int DrawRun(const QString& text) {
    if (text.size() > kLongText) {
      bool cut = false;
      const QString shown = Shown(
          text, x_, [&](qsizetype n) { return text.left(n); }, cut);
      if (cut) {
        g_.DrawString(shown, x_, y_);
        return static_cast<int>(std::ceil(OffSheet() - x_));
      }
    }
    const int w = WordWidth(text);
    Draw(text, x_, y_);
    return w;
  }

  // The words of a word line, as LineWords cuts them, drawn from the left; those that start past
  // OffSheet() (the line's position only grows along it) are read for the states they hand on and
  // neither measured nor drawn. Returns the last text read (an empty line reads itself).
  QString DrawWords(QStringView line) {
    QString last;
    const qsizetype n = line.size();
    if (n == 0) return last;
    for (qsizetype from = 0;;) {
      if (x_ >= OffSheet()) return ReadPastTheSheet(line.sliced(from));
      const qsizetype end = markup::WordEnd(line, from);
      const QString word = line.sliced(from, end - from).toString();
      if (markup::IsChordWord(word)) {
        DrawChordWord(word);
        last.clear();
      } else {
        last = DrawPlainWord(word);
      }
      if (end == n) return last;
      from = end + 1;
    }
  }

  // The words of a line from one of them on, which lie past the sheet: their states are handed
  // on, and the text the last of them reads is returned.
  QString ReadPastTheSheet(QStringView words) {
    const markup::LineState s = markup::ReadWordsState(words, {g_.Bold(), paragraph_});
    if (s.bold != g_.Bold()) g_.Bold(s.bold);
    paragraph_ = s.paragraph;
    qsizetype from = 0;
    while (true) {
      const qsizetype end = markup::WordEnd(words, from);
      if (end >= words.size()) break;
      from = end + 1;
    }
    const QStringView word = words.sliced(from);
    return word.contains(QLatin1Char('[')) ? QString() : markup::ReadPlainWord(word.toString()).text;
  }

  void DrawChordWord(const QString& word) {
    for (const markup::ChordPiece& piece : markup::CutChordWord(word)) {
      if (!piece.isChord) {
        x_ += DrawRun(piece.text);
        continue;
      }
      const markup::ChordGroup& chord = piece.chord;
      g_.Bold(true);
      SetSize(g_, in_.chordSize * d_);
      Draw(chord.name, x_, y_ - in_.chordOffset * d_);
      g_.Bold(false);
      WordSize();
      if (!chord.frets.isEmpty()) {
        const int wn = WordWidth(chord.name);
        SetSize(g_, in_.fretSize * d_);
        g_.Bold(true);
        const double fx = (x_ + wn) + 3 * d_;
        for (qsizetype m = 0; m < chord.frets.size(); ++m)
          Draw(chord.frets[m], fx, y_ - in_.fretOffset * d_ + m * in_.fretSize * d_);
        WordSize();
        g_.Bold(false);
      }
    }
    x_ = Trunc(x_ + in_.spacing * d_);
  }

  QString DrawPlainWord(const QString& word) {
    const markup::PlainWord p = markup::ReadPlainWord(word);
    if (p.boldBefore) g_.Bold(!g_.Bold());
    if (p.paragraphOn) paragraph_ = true;
    if (p.paragraphOff) paragraph_ = false;
    x_ += DrawRun(p.text);
    if (p.boldAfter) g_.Bold(!g_.Bold());
    x_ = Trunc(x_ - in_.spacing * d_);
    x_ = Trunc(x_ + 4 * d_);
    x_ = Trunc(x_ + in_.spacing * d_);
    return p.text;
  }

  Graphics& g_;
  const SheetInput& in_;
  const double d_;
  int left_, x_, y_;
  const int top_;
  double limit_ = 0;  // a line whose baseline lies lower draws nothing on the sheet
  bool paragraph_ = false;
  QHash<QString, int> widths_[2];  // at the word size, regular and bold
};

}  // namespace

int RenderSheetPage(Graphics& g, const SheetInput& in, int page) {
  const double d = in.scale;
  g.ForeColor(QColor(0, 0, 0));
  const int x0 = Trunc(10 * d);

  int y;
  const QString title = Trim(in.title);
  if (!title.isEmpty()) {
    SetSize(g, 16 * d);
    g.Bold(true);
    g.DrawString(title, x0, 18 * d);
    y = Trunc(32 * d);
  } else {
    y = Trunc(10 * d);
  }

  QString header;
  const QString capo = Trim(in.capo), key = Trim(in.key), timing = Trim(in.timing), tempo = Trim(in.tempo);
  if (!capo.isEmpty()) header = QStringLiteral("Capo: ") + capo;
  if (!key.isEmpty()) header += QStringLiteral("   Key: ") + key;
  if (!timing.isEmpty()) header += QStringLiteral("   Timing: ") + timing;
  if (!tempo.isEmpty()) header += QStringLiteral("   Tempo: ") + tempo;
  header = Trim(header);
  if (!header.isEmpty()) {
    SetSize(g, 10 * d);
    g.Bold(false);
    g.DrawString(header, x0, y);
    y = Trunc(y + 15 * d);
  }

  const SongPage sp = in.breaks ? FindPage(in.song, in.marker, page, *in.breaks) : FindPage(in.song, in.marker, page);
  if (!sp.text.startsWith(QLatin1Char('{'))) y = Trunc(y + 15 * d);
  PageDrawer(g, in, y).DrawLines(sp.text);

  if (sp.pieces >= 2) {
    const bool bold = g.Bold();
    g.Bold(false);
    g.ForeColor(QColor(0, 0, 0));
    const QString label = QStringLiteral("Page: ") + Str(sp.number) + QStringLiteral("/") + Str(sp.pieces);
    g.DrawString(label, Trunc(g.Width() - g.StringWidth(label) - 3 * d),
                 Trunc(g.Height() - g.StringHeight(label, kWrap) / 2));
    g.Bold(bold);
  }

  if (in.centerLine) {
    g.ForeColor(QColor(0xAB, 0xAB, 0xAB));
    const double half = g.Width() / 2.0;
    g.DrawLine(half, 0, half, g.Height());
  }
  return sp.number;
}
