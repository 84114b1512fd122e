#include "platform/spell_check.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QVariant>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextCharFormat>
#include <QTextDocument>
#include <optional>

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

SpellHighlighter::SpellHighlighter(QTextDocument* doc, std::shared_ptr<SpellDictionary> dictionary)
    : QSyntaxHighlighter(static_cast<QObject*>(doc)), dictionary_(std::move(dictionary)) {
  setDocument(doc);
  rehighlightTracked();  // marked at once, not only after Qt's deferred pass
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

bool SpellHighlighter::event(QEvent* e) {
  if (e->type() != QEvent::MetaCall) return QSyntaxHighlighter::event(e);
  Pass pass(document());
  return QSyntaxHighlighter::event(e);
}

void SpellHighlighter::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  rehighlightTracked();
}

void SpellHighlighter::rehighlightTracked() {
  if (!document()) return;
  Pass pass(document());
  rehighlight();
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

void SpellHighlighter::highlightBlock(const QString& text) {
  if (!enabled_ || !dictionary_) return;
  QTextCharFormat bad;
  bad.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
  bad.setUnderlineColor(Qt::red);
  for (const auto& [start, length] : Misspelt(text)) setFormat(start, length, bad);
}
