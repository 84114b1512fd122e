#pragma once
// A Hunspell dictionary: whether a word is spelt right.
#include <QHash>
#include <QString>
#include <memory>

class SpellDictionary {
 public:
  ~SpellDictionary();
  // The system's "en_US" dictionary (/usr/share/hunspell and the usual other places); nullptr
  // when it is not installed.
  static std::shared_ptr<SpellDictionary> EnUs();
  // A dictionary from its two files, in whatever encoding its .aff file names; nullptr when they
  // cannot be read.
  static std::shared_ptr<SpellDictionary> Load(const QString& affPath, const QString& dicPath);

  bool IsCorrect(const QString& word);

 private:
  struct Impl;
  explicit SpellDictionary(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
  QHash<QString, bool> known_;  // lyrics repeat their words; each is looked up once
};
