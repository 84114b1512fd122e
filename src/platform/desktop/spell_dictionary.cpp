#include "platform/desktop/spell_dictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <optional>

#include <hunspell/hunspell.hxx>

struct SpellDictionary::Impl {
  std::unique_ptr<Hunspell> hunspell;
  // Hunspell takes words in the dictionary's own encoding; none when it is UTF-8.
  std::optional<QStringEncoder> encoder;
};

SpellDictionary::SpellDictionary(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SpellDictionary::~SpellDictionary() = default;

std::shared_ptr<SpellDictionary> SpellDictionary::Load(const QString& affPath, const QString& dicPath) {
  if (!QFileInfo(affPath).isReadable() || !QFileInfo(dicPath).isReadable()) return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->hunspell =
      std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(), QFile::encodeName(dicPath).constData());
  const QByteArray encoding = QByteArray::fromStdString(impl->hunspell->get_dict_encoding());
  if (encoding.compare("UTF-8", Qt::CaseInsensitive) != 0) {
    impl->encoder.emplace(encoding.constData());
    if (!impl->encoder->isValid()) impl->encoder.emplace(QStringConverter::Latin1);
  }
  return std::shared_ptr<SpellDictionary>(new SpellDictionary(std::move(impl)));
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
  auto it = known_.constFind(word);
  if (it != known_.cend()) return *it;
  bool ok = false;
  if (!impl_->encoder) {
    ok = impl_->hunspell->spell(word.toStdString());
  } else {
    // A word the dictionary's encoding cannot hold is not in the dictionary.
    const QByteArray bytes = (*impl_->encoder)(word);
    ok = !impl_->encoder->hasError() && impl_->hunspell->spell(bytes.toStdString());
    impl_->encoder->resetState();
  }
  known_.insert(word, ok);
  return ok;
}
