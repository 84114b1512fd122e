#include "platform/core/filetype.h"

#include <vector>

#include "platform/core/strings.h"

namespace {
std::vector<FileType>& registry() {
  static std::vector<FileType> types;
  return types;
}

QString label(const FileType& t) { return t.Label.isEmpty() ? t.Name : t.Label; }

// The label of several types together: "Song documents and text files".
QString joinedLabel(const QStringList& labels) {
  QString joined = labels.first();
  for (qsizetype i = 1; i < labels.size(); ++i) {
    QString next = labels[i];
    if (next.size() > 1 && next[0].isUpper() && next[1].isLower()) next[0] = next[0].toLower();
    joined += (i + 1 == labels.size() ? QStringLiteral(" and ") : QStringLiteral(", ")) + next;
  }
  return joined;
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
  QStringList labels;
  for (const QString& n : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const FileType* t = Find(n.trimmed());
    if (!t) continue;
    QStringList patterns;
    for (const QString& e : t->ExtensionList()) patterns << QStringLiteral("*.") + e;
    if (patterns.isEmpty()) continue;
    labels << label(*t);
    all << patterns;
    entries << QStringLiteral("%1 (%2)").arg(label(*t), patterns.join(QLatin1Char(' ')));
  }
  if (entries.size() > 1)
    entries.prepend(QStringLiteral("%1 (%2)").arg(joinedLabel(labels), all.join(QLatin1Char(' '))));
  return entries;
}

QString FileTypeRegistry::DefaultExtension(const QString& filter) {
  for (const QString& n : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const FileType* t = Find(n.trimmed());
    if (t && !t->ExtensionList().isEmpty()) return QLatin1Char('.') + t->ExtensionList().first();
  }
  return {};
}

void FileTypeRegistry::Remove(const QString& name) {
  std::erase_if(registry(), [&](const FileType& t) { return EqualsCI(t.Name, name); });
}
