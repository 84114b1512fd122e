#include "platform/desktop/spell_check.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QVariant>
#include <algorithm>
#include <optional>

#include "platform/desktop/bracket_index.h"

#ifdef HARMONOTE_HAVE_HUNSPELL
#include <hunspell/hunspell.hxx>
#endif

struct SpellDictionary::Impl {
#ifdef HARMONOTE_HAVE_HUNSPELL
  std::unique_ptr<Hunspell> hunspell;
  bool utf8 = true;
  std::optional<QStringEncoder> encoder;
#endif
};

SpellDictionary::SpellDictionary(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SpellDictionary::~SpellDictionary() = default;

std::shared_ptr<SpellDictionary> SpellDictionary::Load(const QString& affPath, const QString& dicPath) {
#ifdef HARMONOTE_HAVE_HUNSPELL
  if (!QFileInfo(affPath).isReadable() || !QFileInfo(dicPath).isReadable()) return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(), QFile::encodeName(dicPath).constData());
  const QString encoding = QString::fromStdString(impl->hunspell->get_dict_encoding());
  impl->utf8 = encoding.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0;
  if (!impl->utf8) {
    impl->encoder.emplace(encoding.toLatin1().constData());
    if (!impl->encoder->isValid()) impl->encoder.reset();
  }
  return std::shared_ptr<SpellDictionary>(new SpellDictionary(std::move(impl)));
#else
  Q_UNUSED(affPath);
  Q_UNUSED(dicPath);
  return nullptr;
#endif
}

std::shared_ptr<SpellDictionary> SpellDictionary::EnUs() {
  static const char* folders[] = {"/usr/share/hunspell", "/usr/local/share/hunspell", "/usr/share/myspell",
                                  "/usr/share/myspell/dicts"};
  for (const char* folder : folders) {
    const QString base = QString::fromLatin1(folder) + QStringLiteral("/en_US");
    if (auto d = Load(base + QStringLiteral(".aff"), base + QStringLiteral(".dic"))) return d;
  }
  return nullptr;
}

bool SpellDictionary::IsCorrect(const QString& word) {
#ifdef HARMONOTE_HAVE_HUNSPELL
  auto it = known_.constFind(word);
  if (it != known_.cend()) return *it;
  std::string bytes;
  if (impl_->utf8) {
    bytes = word.toStdString();
  } else if (impl_->encoder) {
    bytes = QByteArray((*impl_->encoder)(word)).toStdString();
  } else {
    bytes = word.toLatin1().toStdString();
  }
  const bool ok = impl_->hunspell->spell(bytes);
  known_.insert(word, ok);
  return ok;
#else
  Q_UNUSED(word);
  return true;
#endif
}

namespace {

// A line at least this long keeps a BracketIndex and is re-checked around each edit only.
constexpr int kLongLine = 2 * BracketIndex::kChunk;

// A change of more lines than this checks only the lines on screen at once, the rest when idle.
constexpr int kEagerLines = 200;
// How long one slice of the idle checking may take, in milliseconds.
constexpr int kSliceMs = 4;
// A line's user state once it is underlined as its text and the switch want it; any other value
// (a new line's -1) means it waits for its check.
constexpr int kChecked = 1;

// What a long line keeps between edits: its brackets, and how many underlines were put on it.
struct LineIndex : QTextBlockUserData {
  explicit LineIndex(QStringView text) : brackets(text) {}
  BracketIndex brackets;
  qsizetype underlines = 0;
};

const QTextCharFormat& Underline() {
  static const QTextCharFormat bad = [] {
    QTextCharFormat f;
    f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    f.setUnderlineColor(Qt::red);
    return f;
  }();
  return bad;
}

bool IsUnderline(const QTextCharFormat& f) { return f.underlineStyle() == QTextCharFormat::SpellCheckUnderline; }

// A character that no word can hold (a blank or an ASCII sign other than an apostrophe or a
// bracket): read outside a chord, nothing before it changes how the text after it splits into words.
bool IsBoundary(QChar c) {
  if (c.isSpace()) return true;
  return c.unicode() < 128 && !c.isLetterOrNumber() && c != u'\'' && c != u'[' && c != u']';
}

// Whether the character after c is read as lyric (true) or as part of a chord or of an unclosed
// "[" (false), given how c was read. After a "]" the reading is always lyric.
bool Step(bool lyric, QChar c) { return lyric ? c != u'[' : c == u']'; }

QString TextOf(QTextDocument* doc, int from, int to) {
  if (to <= from) return QString();
  QTextCursor c(doc);
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  return c.selectedText();
}

}  // namespace

SpellHighlighter::SpellHighlighter(QTextDocument* doc, std::shared_ptr<SpellDictionary> dictionary)
    : QObject(doc), doc_(doc), dictionary_(std::move(dictionary)) {
  if (!doc_ || !dictionary_) return;
  blockCount_ = doc_->blockCount();
  sweep_ = new QTimer(this);
  sweep_->setSingleShot(true);
  sweep_->setInterval(0);
  connect(sweep_, &QTimer::timeout, this, [this] { Sweep(kSliceMs); });
  connect(doc_, &QTextDocument::contentsChange, this, &SpellHighlighter::OnContentsChange);
  CheckAll();
}

SpellHighlighter::~SpellHighlighter() {
  if (!doc_ || !dictionary_) return;
  enabled_ = false;
  CheckAll();
}

// Marks the document as being re-formatted while it lives; nests.
class SpellHighlighter::Pass {
 public:
  explicit Pass(QTextDocument* doc) : doc_(doc) {
    if (doc_) doc_->setProperty(kProperty, doc_->property(kProperty).toInt() + 1);
  }
  ~Pass() {
    if (doc_) doc_->setProperty(kProperty, doc_->property(kProperty).toInt() - 1);
  }
  Pass(const Pass&) = delete;
  Pass& operator=(const Pass&) = delete;
  static constexpr const char* kProperty = "harmonoteSpellPass";

 private:
  QPointer<QTextDocument> doc_;
};

bool SpellHighlighter::Busy(const QTextDocument* doc) { return doc && doc->property(Pass::kProperty).toInt() > 0; }

bool SpellHighlighter::Busy() const { return Busy(document()); }

void SpellHighlighter::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (dictionary_) CheckAll();
}

void SpellHighlighter::CheckAll() {
  if (!doc_) return;
  if (enabled_ && dictionary_ && doc_->blockCount() > kEagerLines) {
    Defer(doc_->begin(), doc_->characterCount());
    CheckShown();
    return;
  }
  sweeping_ = false;
  if (sweep_) sweep_->stop();
  InPass([this] {
    for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) CheckLine(b);
  });
  blockCount_ = doc_->blockCount();
}

void SpellHighlighter::InPass(const std::function<void()>& work) {
  Pass pass(doc_);
  const QScopedValueRollback<bool> inPass(inPass_, true);
  QTextCursor cursor(doc_);
  cursor.beginEditBlock();
  work();
  cursor.endEditBlock();
}

void SpellHighlighter::OnContentsChange(int from, int removed, int added) {
  if (!doc_) return;
  const int blocksBefore = blockCount_;
  blockCount_ = doc_->blockCount();
  // Nothing before the change moved, everything after it moved with it.
  if (sweeping_ && from < resume_) resume_ = std::max(from, resume_ + added - removed);
  if (inPass_ || !enabled_) return;
  const QTextBlock first = doc_->findBlock(from);
  if (!first.isValid()) return;
  if (blockCount_ == blocksBefore && doc_->findBlock(from + added) == first &&
      CheckEdit(first, from - first.position(), removed, added))
    return;
  // The lines the change spans, and the next one when text was removed (it may have been joined).
  QTextBlock last = doc_->findBlock(from + added + (removed > 0 ? 1 : 0));
  if (!last.isValid()) last = doc_->lastBlock();
  const int end = last.position() + last.length();
  if (last.blockNumber() - first.blockNumber() >= kEagerLines) {
    Defer(first, end);
  } else {
    for (QTextBlock b = first; b.isValid() && b.position() < end; b = b.next()) CheckLine(b);
  }
  // Lines that waited may have moved on screen. Inside the change's own signal their new
  // underlines join the change (an edit block of their own would lay out the whole change again).
  if (sweeping_ && shown_) CheckShownLines();
}

void SpellHighlighter::Defer(QTextBlock block, int end) {
  const int from = block.position();
  for (; block.isValid() && block.position() < end; block = block.next()) {
    block.setUserState(-1);
    block.setUserData(nullptr);  // an index of the line's brackets would be of the old text
  }
  if (!sweeping_ || from < resume_) resume_ = from;
  sweeping_ = true;
  sweep_->start();
}

void SpellHighlighter::SetShownLines(ShownLines shown) { shown_ = std::move(shown); }

void SpellHighlighter::CheckShown() {
  if (!doc_ || !sweeping_ || !shown_ || inPass_) return;
  InPass([this] { CheckShownLines(); });
}

void SpellHighlighter::CheckShownLines() {
  const auto [first, last] = shown_();
  for (QTextBlock b = doc_->findBlockByNumber(std::max(0, first)); b.isValid() && b.blockNumber() <= last; b = b.next())
    if (b.userState() != kChecked) CheckLine(b);
}

void SpellHighlighter::CheckPending() { Sweep(-1); }

void SpellHighlighter::Sweep(int budgetMs) {
  if (!doc_ || !sweeping_) return;
  QElapsedTimer clock;
  clock.start();
  QTextBlock b = doc_->findBlock(resume_);
  InPass([&] {
    for (; b.isValid() && (budgetMs < 0 || clock.elapsed() < budgetMs); b = b.next())
      if (b.userState() != kChecked) CheckLine(b);
  });
  if (b.isValid()) {
    resume_ = b.position();
    sweep_->start();
  } else {
    sweeping_ = false;
  }
}

void SpellHighlighter::CheckLine(const QTextBlock& block) {
  const bool on = enabled_ && dictionary_;
  const QString text = block.text();
  const QList<QPair<int, int>> words = on ? Misspelt(text) : QList<QPair<int, int>>();
  SetUnderlines(block, words);
  LineIndex* index = on && text.size() >= kLongLine ? new LineIndex(text) : nullptr;
  if (index) index->underlines = words.size();
  QTextBlock line(block);
  line.setUserData(index);
  line.setUserState(kChecked);
}

bool SpellHighlighter::CheckEdit(const QTextBlock& block, int at, int removed, int added) {
  auto* line = dynamic_cast<LineIndex*>(block.userData());
  QTextLayout* layout = block.layout();
  const int length = block.length() - 1;
  if (!line || length < kLongLine / 2 || !layout->preeditAreaText().isEmpty()) return false;
  BracketIndex& index = line->brackets;
  if (at < 0 || removed < 0 || added < 0 || at + added > length) return false;
  if (index.Length() != length - added + removed) return false;
  // The underlines the line has, which are those of the text before the edit (unless something
  // else replaced the layout's formats: then the line is checked whole).
  QList<QTextLayout::FormatRange> old = layout->formats();
  old.removeIf([](const QTextLayout::FormatRange& r) { return !IsUnderline(r.format); });
  if (old.size() != line->underlines) return false;

  QTextDocument* doc = doc_;
  const int base = block.position();
  const BracketIndex::Reader read = [doc, base](int from, int to) { return TextOf(doc, base + from, base + to); };
  BracketIndex::Reread near = index.Edit(at, removed, added, read);
  int first = near.first, last = near.last, start = near.start;
  QString text = std::move(near.text);

  // The re-check starts after the last boundary before the edit read as lyric (or at the line's
  // start): the text before it is unchanged and so is how it is read.
  int boundary = -1;
  for (int scanFrom = start, scanTo = at;;) {
    bool lyric = index.LastBracketBefore(first) != u'[';
    for (int q = scanFrom; q < scanTo; ++q) {
      const QChar c = text.at(q - start);
      if (lyric && IsBoundary(c)) boundary = q;
      lyric = Step(lyric, c);
    }
    if (boundary >= 0 || first == 0) break;
    const int len = index.ChunkLength(--first);
    text.prepend(read(start - len, start));
    scanTo = start;
    start -= len;
    scanFrom = start;
  }
  const int from = boundary + 1;

  // It stops at the first boundary after the edit read as lyric; when the edit removed or added
  // a bracket, only past the next "]" (after which the old and new text are read alike again).
  const int end = at + added;
  bool same = !near.bracketsChanged;
  bool lyric = true;
  int stop = length;
  int textEnd = start + static_cast<int>(text.size());
  for (int q = from;; ++q) {
    if (q == textEnd) {
      if (last + 1 >= index.ChunkCount()) break;
      const int len = index.ChunkLength(++last);
      text += read(textEnd, textEnd + len);
      textEnd += len;
    }
    const QChar c = text.at(q - start);
    if (q >= end) {
      if (same && lyric && IsBoundary(c)) {
        stop = q;
        break;
      }
      if (c == u']') same = true;
    }
    lyric = Step(lyric, c);
  }

  // The underlines before the re-checked stretch stay, those after it move with the text.
  const int shift = added - removed;
  QList<QPair<int, int>> words;
  words.reserve(old.size() + 1);
  qsizetype i = 0;
  for (; i < old.size() && old[i].start < from; ++i) words.append({old[i].start, old[i].length});
  for (const auto& [s, n] : Misspelt(text.mid(from - start, stop - from))) words.append({from + s, n});
  while (i < old.size() && old[i].start < stop - shift) ++i;
  for (; i < old.size(); ++i) words.append({old[i].start + shift, old[i].length});
  SetUnderlines(block, words);
  line->underlines = words.size();
  return true;
}

bool SpellHighlighter::SetUnderlines(const QTextBlock& block, const QList<QPair<int, int>>& words) {
  QTextLayout* layout = block.layout();
  const QList<QTextLayout::FormatRange> old = layout->formats();
  QList<QTextLayout::FormatRange> ranges;
  ranges.reserve(words.size());
  for (const QTextLayout::FormatRange& r : old)
    if (!IsUnderline(r.format)) ranges.append(r);  // an input method's, say
  // Formats count in the text as shown, with the text being composed (pre-edit) in it.
  const int preeditAt = layout->preeditAreaPosition();
  const int preedit = static_cast<int>(layout->preeditAreaText().size());
  for (auto [start, length] : words) {
    if (preedit > 0) {
      if (start >= preeditAt) {
        start += preedit;
      } else if (start + length >= preeditAt) {
        length += preedit;
      }
    }
    ranges.append({start, length, Underline()});
  }
  if (ranges == old) return false;
  layout->setFormats(ranges);
  doc_->markContentsDirty(block.position(), block.length());
  return true;
}

QList<QPair<int, int>> SpellHighlighter::Misspelt(const QString& line) {
  QList<QPair<int, int>> out;
  if (!dictionary_) return out;
  static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{M}\\d]+(?:['\\x{2019}][\\p{L}\\p{M}]+)*"));
  // Chord markers are not words, and a word with a chord inside ("re[D]lieved") is read as the
  // word without it: the lyric as it is sung. at[i] is where the i-th kept character stands.
  QString lyric;
  QList<int> at;
  lyric.reserve(line.size());
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line.at(i) == u'[') {
      const qsizetype close = line.indexOf(u']', i + 1);
      if (close < 0) break;
      i = close;
      continue;
    }
    lyric += line.at(i);
    at.append(int(i));
  }
  for (auto it = word.globalMatch(lyric); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    const QString w = m.captured();
    bool digit = false;
    for (QChar c : w) digit = digit || c.isDigit();
    if (digit) continue;
    if (dictionary_->IsCorrect(w)) continue;
    const int first = at[m.capturedStart()];
    const int last = at[m.capturedEnd() - 1];
    out.append({first, last - first + 1});
  }
  return out;
}
