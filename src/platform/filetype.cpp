#include "platform/filetype.h"

#include <vector>

#include "platform/strings.h"

namespace {
std::vector<FileType>& registry() {
  static std::vector<FileType> types;
  return types;
}

// "*.hmnt" written so that it matches any letter case: "*.[hH][mM][nN][tT]".
QString anyCasePattern(const QString& ext) {
  QString p = QStringLiteral("*.");
  for (QChar c : ext) {
    if (c.isLetter() && c.toLower() != c.toUpper())
      p += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
    else
      p += c;
  }
  return p;
}
}  // namespace

QStringList FileType::ExtensionList() const {
  QStringList out;
  for (const QString& e : Extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    QString t = e.trimmed();
    if (t.startsWith(QLatin1Char('.'))) t.remove(0, 1);
    if (!t.isEmpty()) out << t;
  }
  return out;
}

QString FileType::ToString() const {
  if (!FileTypeRegistry::Find(Name)) registry().push_back(*this);
  return Name;
}

QString operator+(const FileType& a, const FileType& b) {
  QString f = a.ToString() + QLatin1Char(';') + b.ToString();
  while (f.contains(QStringLiteral(";;"))) f.replace(QStringLiteral(";;"), QStringLiteral(";"));
  return f;
}

const FileType* FileTypeRegistry::Find(const QString& name) {
  for (const FileType& t : registry())
    if (EqualsCI(t.Name, name)) return &t;
  return nullptr;
}

QStringList FileTypeRegistry::QtNameFilters(const QString& filter) {
  QStringList entries;
  QStringList all;
  QStringList names;
  for (const QString& n : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const FileType* t = Find(n.trimmed());
    if (!t) continue;
    QStringList patterns;
    for (const QString& e : t->ExtensionList()) patterns << anyCasePattern(e);
    if (patterns.isEmpty()) continue;
    names << t->Name;
    all << patterns;
    entries << QStringLiteral("%1 (%2)").arg(t->Name, patterns.join(QLatin1Char(' ')));
  }
  if (entries.size() > 1)
    entries.prepend(QStringLiteral("%1 (%2)").arg(names.join(QStringLiteral(", ")), all.join(QLatin1Char(' '))));
  return entries;
}

QString FileTypeRegistry::DefaultExtension(const QString& filter) {
  for (const QString& n : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const FileType* t = Find(n.trimmed());
    if (t && !t->ExtensionList().isEmpty()) return QLatin1Char('.') + t->ExtensionList().first();
  }
  return {};
}

void FileTypeRegistry::ClearForTests() { registry().clear(); }
