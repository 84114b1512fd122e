// The reflow tool: any text at any width breaks into the lines that measuring every line whole
// gives, with additive widths and with the sheet's real measure (other faces, marks and tabs
// included). The result is read back against the text joined into one line, and each line is
// measured whole as it stands; nothing of the tool's own way of getting there is repeated here.
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "platform/desktop/picture_measure.h"
#include "tools/reflow.h"

namespace {

// Whole-number widths that differ from character to character and add up exactly.
double Additive(const QString& text) {
  double w = 0;
  for (const QChar c : text) w += 1 + c.unicode() % 5;
  return w;
}

const QChar kCR = QLatin1Char('\r');
const QChar kBlank = QLatin1Char(' ');

qsizetype BlanksAt(const QString& s, qsizetype at) {
  qsizetype n = 0;
  while (at + n < s.size() && s[at + n] == kBlank) ++n;
  return n;
}

// One line break of a run of them (breaks with nothing but blanks between them) in the result.
struct Break {
  qsizetype keptAfter;  // the blanks that follow it in the result
  bool afterCaption;    // it follows a "}"
  bool beforeCaption;   // a "{" follows it
  qsizetype taken = 0;  // the blanks of the text it took
};

// What reflowing oneLine to width must give, checked on its result out. A line is full when the
// next word would not fit on it; a caption's braces break lines of their own, which are no full
// lines (their words go on with the line).
// - out is oneLine trimmed, with line breaks (CR) put in; a full line's break takes the blank
//   after it, the one between a caption's "}" and the next caption's "{" goes too, and no other;
// - a full line does not fit with the next word and its blank: 10 + its width measured whole
//   with them is more than the width;
// - a line of more than one word fits: 10 + its width with the blank after it, measured whole,
//   is at most the width;
// - every other break stands beside a brace: each "{" starts a line and each "}" ends one;
// - a line is empty only where it held an empty word (two blanks), or right after the first word
//   when that word alone is wider than any line.
// Where the text leaves open which break of a run took a blank (beside a caption), the lines up
// to the next full line that is sure to be one are not measured.
void CheckReflowed(const QString& oneLine, const QString& out, int width, const MeasureFn& measure) {
  const auto fits = [&](const QString& line) { return 10.0 + measure(line + kBlank) <= width; };
  const QString first = oneLine.section(kBlank, 0, 0);
  qsizetype j = 0;
  while (j < oneLine.size() && oneLine[j].isSpace()) ++j;
  qsizetype lineFrom = 0;  // where the line since the last full one starts
  // Whether that line is known from its start: the first line's leading blanks were measured with
  // it, unless a break among them was trimmed.
  bool known = j == 0;
  // A full line ends at the blank at, which its break took.
  const auto full = [&](qsizetype at) {
    const QString line = oneLine.mid(lineFrom, at - lineFrom);
    if (known && line.split(kBlank).size() > 1) FUZZ_CHECK(fits(line));
    if (known) FUZZ_CHECK(!fits(line + kBlank + oneLine.mid(at + 1).section(kBlank, 0, 0)));
    lineFrom = at + 1;
    known = true;
  };
  qsizetype i = 0;
  while (i < out.size()) {
    if (out[i] != kCR) {
      FUZZ_CHECK(j < oneLine.size() && out[i] == oneLine[j]);
      ++i;
      ++j;
      continue;
    }
    FUZZ_CHECK(i > 0);  // trimmed
    std::vector<Break> run;
    qsizetype kept = 0;
    for (; i < out.size() && out[i] == kCR; i += 1 + run.back().keptAfter) {
      run.push_back({BlanksAt(out, i + 1), run.empty() && out[i - 1] == QLatin1Char('}'), false});
      kept += run.back().keptAfter;
    }
    FUZZ_CHECK(i < out.size());  // trimmed
    run.back().beforeCaption = run.back().keptAfter == 0 && out[i] == QLatin1Char('{');
    // The breaks beside no brace end full lines, each with one blank; but for the second break
    // right after a first word too wide for any line, which takes none.
    const bool wideFirst = j == first.size() && run.size() > 1 && run[0].keptAfter == 0 && !fits(first);
    // A break between two captions takes every blank there: full lines of empty words between
    // them may have gone with the blank of the captions' own break.
    const bool betweenCaptions = run.size() == 1 && run[0].afterCaption && run[0].beforeCaption;
    qsizetype left = BlanksAt(oneLine, j) - kept, room = 0;
    for (std::size_t t = 0; t < run.size(); ++t) {
      Break& b = run[t];
      if (b.afterCaption || b.beforeCaption) {
        room += betweenCaptions ? left : 1;
      } else if (!(wideFirst && t == 1)) {
        b.taken = 1;
        --left;
      }
    }
    // What is left went to the breaks beside braces, one each: to all of them, to none, or it is
    // open which.
    FUZZ_CHECK(left >= 0 && left <= room);
    const bool open = left > 0 && left < room;
    for (Break& b : run) {
      if ((b.afterCaption || b.beforeCaption) && left > 0) {
        b.taken = betweenCaptions ? left : 1;
        left -= b.taken;
      }
    }
    for (std::size_t t = 0; t < run.size(); ++t) {
      Break& b = run[t];
      // An empty line: an empty word between two blanks that breaks took (after the first word
      // too wide for any line, the first took its blank), or that first word's own. Where it is
      // open which brace's break took a blank, either may have.
      const auto took = [&](std::size_t k) {
        return run[k].taken > 0 || (open && (run[k].afterCaption || run[k].beforeCaption));
      };
      const bool wideFirstBreak = wideFirst && t == 1;
      if (t > 0 && run[t - 1].keptAfter == 0) {
        const bool emptyWord = took(t) && (took(t - 1) || (wideFirst && t == 2));
        FUZZ_CHECK(emptyWord || (wideFirstBreak && b.taken == 0));
      }
      if (b.taken == 0) {
        FUZZ_CHECK(b.afterCaption || b.beforeCaption || wideFirstBreak);
      } else if (betweenCaptions && b.taken == 1) {
        // The blank between two captions goes with them, or ends a full line before the second.
        const QString line = oneLine.mid(lineFrom, j - lineFrom);
        if (!known) {
          lineFrom = j + 1;
        } else if (!fits(line + kBlank + oneLine.mid(j + 1).section(kBlank, 0, 0))) {
          full(j);
        }
      } else if (open || b.taken > 2) {
        lineFrom = j + b.taken;
        known = false;
      } else if (b.taken == 2) {
        // Two blanks between two captions: a full line before the empty word there, or after it.
        if (!known)
          lineFrom = j + 2;
        else
          full(fits(oneLine.mid(lineFrom, j - lineFrom) + kBlank) ? j + 1 : j);
      } else {
        full(j);
      }
      j += b.taken + b.keptAfter;
    }
  }
  const qsizetype end = j;
  for (; j < oneLine.size(); ++j) FUZZ_CHECK(oneLine[j].isSpace());
  if (known && oneLine.mid(lineFrom, end - lineFrom).split(kBlank).size() > 1)
    FUZZ_CHECK(fits(oneLine.mid(lineFrom, end - lineFrom)));
  for (qsizetype k = 0; k < out.size(); ++k) {
    if (out[k] == QLatin1Char('{')) FUZZ_CHECK(k == 0 || out[k - 1] == kCR);
    if (out[k] == QLatin1Char('}')) FUZZ_CHECK(k + 1 == out.size() || out[k + 1] == kCR);
  }
  FUZZ_CHECK(!out.contains(QStringLiteral("}\r \r{")));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const int canvas = in.TakeInt(-50, 1200);
  const bool centerLine = in.TakeBool();
  const bool realFont = in.TakeInt(0, 7) == 0;
  const QString text = in.RestText();

  const QString joined = RemoveLineFeeds(text);
  FUZZ_CHECK(joined.size() == text.size() && !joined.contains(QLatin1Char('\r')) &&
             !joined.contains(QLatin1Char('\n')));
  const QString unmarked = RemoveColumnMarkers(joined);
  FUZZ_CHECK(unmarked.size() <= joined.size());

  const int width = ReflowWidth(canvas, centerLine);
  if (realFont) {
    static const MeasureFn sheet = PictureMeasure(576, 756, 12);
    static const CoversFn face = PictureFaceCovers(12);
    CheckReflowed(joined, AutoLineFeed(text, width, sheet, face), width, sheet);
    return 0;
  }
  const MeasureFn measure = Additive;
  const QString reflowed = AutoLineFeed(text, width, measure);
  FUZZ_CHECK(reflowed == ReflowLines(joined, width, measure));
  CheckReflowed(joined, reflowed, width, measure);
  return 0;
}
