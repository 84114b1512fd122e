#include "app/ini_class.h"

#include <cstdio>
#include <vector>

#include "platform/errors.h"

namespace {

const QChar kCR(u'\r');
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// One line of the file with the line end it had ("" for a last line without one).
struct Line {
  QString text;
  QString end;
};

std::vector<Line> SplitLines(const QString& t) {
  std::vector<Line> lines;
  const qsizetype n = t.size();
  qsizetype i = 0;
  while (i < n) {
    qsizetype j = i;
    while (j < n && t[j] != u'\r' && t[j] != u'\n') ++j;
    Line line{t.mid(i, j - i), QString()};
    if (j < n) {
      const qsizetype endLength = (t[j] == u'\r' && j + 1 < n && t[j + 1] == u'\n') ? 2 : 1;
      line.end = t.mid(j, endLength);
      j += endLength;
    }
    lines.push_back(line);
    i = j;
  }
  return lines;
}

QString JoinLines(const std::vector<Line>& lines) {
  QString t;
  for (const Line& l : lines) t += l.text + l.end;
  return t;
}

bool HasLineBreak(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

QString HeaderFor(const QString& section) { return QLatin1Char('[') + section + QLatin1Char(']'); }

// The index of the section's header line, or -1.
qsizetype FindHeader(const std::vector<Line>& lines, const QString& section) {
  const QString header = HeaderFor(section);
  for (size_t i = 0; i < lines.size(); ++i)
    if (QString::compare(lines[i].text, header, Qt::CaseInsensitive) == 0) return qsizetype(i);
  return -1;
}

// One past the last line of the section whose header is at index header.
size_t SectionEnd(const std::vector<Line>& lines, qsizetype header) {
  size_t i = size_t(header) + 1;
  while (i < lines.size() && !lines[i].text.startsWith(u'[')) ++i;
  return i;
}

// The index of the key's entry line within the section, or -1.
qsizetype FindEntry(const std::vector<Line>& lines, qsizetype header, const QString& key) {
  const QString prefix = key + QLatin1Char('=');
  const size_t end = SectionEnd(lines, header);
  for (size_t i = size_t(header) + 1; i < end; ++i)
    if (lines[i].text.startsWith(prefix, Qt::CaseInsensitive)) return qsizetype(i);
  return -1;
}

}  // namespace

iniClass::iniClass(const FolderItem& file) : file_(file) {}

bool iniClass::IsStorable(const QString& section, const QString& key, const QString& value) {
  if (HasLineBreak(section) || section.contains(u']')) return false;
  // An empty key, a key with "=" or one that begins with "[" would not read back as this entry.
  if (key.isEmpty() || HasLineBreak(key) || key.contains(u'=') || key.startsWith(u'[')) return false;
  return !HasLineBreak(value);
}

void iniClass::Report(const QString& failure) {
  if (reported_.contains(failure)) return;
  reported_.append(failure);
  std::fprintf(stderr, "Harmonote: settings: %s\n", failure.toLocal8Bit().constData());
  std::fflush(stderr);
}

namespace {

// The file's text without a byte-order mark (kept in bom), or false when it cannot be used.
bool ReadSettingsText(const FolderItem& file, QString& text, QByteArray& bom, QString& failure) {
  QByteArray bytes;
  try {
    bytes = TextInputStream::ReadBytes(file);
  } catch (const std::exception& e) {
    failure = ExceptionReason(e);
    return false;
  }
  if (bytes.startsWith(kByteOrderMark)) {
    bom = kByteOrderMark;
    bytes.remove(0, kByteOrderMark.size());
  }
  if (!IsValidUtf8(bytes) || bytes.contains('\0')) {
    failure = QStringLiteral("\"%1\" is not a settings file").arg(file.Path());
    return false;
  }
  text = QString::fromUtf8(bytes);
  return true;
}

}  // namespace

int iniClass::GetPreference(const QString& section, const QString& key, QString& value) {
  value.clear();
  if (!file_.Exists() || !IsStorable(section, key, QString())) return 0;
  QString text, failure;
  QByteArray bom;
  if (!ReadSettingsText(file_, text, bom, failure)) {
    Report(failure);
    return 0;
  }
  const std::vector<Line> lines = SplitLines(text);
  const qsizetype header = FindHeader(lines, section);
  if (header < 0) return 0;
  const qsizetype entry = FindEntry(lines, header, key);
  if (entry < 0) return 0;
  value = lines[size_t(entry)].text.mid(key.size() + 1);
  return int(value.size());
}

void iniClass::SetPreference(const QString& section, const QString& key, const QString& value) {
  if (!IsStorable(section, key, value)) {
    Report(QStringLiteral("the entry \"%1\" of [%2] was not written: it would break the file's lines")
               .arg(QString(key).replace(u'\r', u' ').replace(u'\n', u' '),
                    QString(section).replace(u'\r', u' ').replace(u'\n', u' ')));
    return;
  }
  if (!file_.IsValid()) {
    Report(QStringLiteral("there is no settings file to write"));
    return;
  }
  std::vector<Line> lines;
  QByteArray bom;
  if (file_.Exists()) {
    QString text, failure;
    if (!ReadSettingsText(file_, text, bom, failure)) {
      Report(failure + QStringLiteral("; it was left as it is"));
      return;
    }
    lines = SplitLines(text);
  }
  const Line entryLine{key + QLatin1Char('=') + value, QString(kCR)};
  const qsizetype header = FindHeader(lines, section);
  if (header < 0) {
    if (!lines.empty() && lines.back().end.isEmpty()) lines.back().end = kCR;
    lines.push_back(Line{HeaderFor(section), QString(kCR)});
    lines.push_back(entryLine);
  } else if (const qsizetype entry = FindEntry(lines, header, key); entry >= 0) {
    Line& line = lines[size_t(entry)];
    line.text = line.text.left(key.size() + 1) + value;  // the key keeps its spelling
    if (line.end.isEmpty()) line.end = kCR;
  } else {
    const size_t end = SectionEnd(lines, header);
    if (lines[end - 1].end.isEmpty()) lines[end - 1].end = kCR;
    lines.insert(lines.begin() + qsizetype(end), entryLine);
  }
  try {
    TextOutputStream::WriteBytes(file_, bom + JoinLines(lines).toUtf8());
  } catch (const std::exception& e) {
    Report(ExceptionReason(e));
  }
}
