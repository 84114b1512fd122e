#include "app/ini_class.h"

#include <cstdio>
#include <vector>

#include "platform/core/errors.h"

namespace {

const char kCR = '\r';
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// One line of the file, as bytes, with the line end it had ("" for a last line without one).
// Lines are kept as bytes so that whatever the store does not change is written back exactly as
// it was, foreign bytes (invalid UTF-8, NULs) included.
struct Line {
  QByteArray text;
  QByteArray end;
};

std::vector<Line> SplitLines(const QByteArray& t) {
  std::vector<Line> lines;
  const qsizetype n = t.size();
  qsizetype i = 0;
  while (i < n) {
    qsizetype j = i;
    while (j < n && t[j] != '\r' && t[j] != '\n') ++j;
    Line line{t.mid(i, j - i), QByteArray()};
    if (j < n) {
      const qsizetype endLength = (t[j] == '\r' && j + 1 < n && t[j + 1] == '\n') ? 2 : 1;
      line.end = t.mid(j, endLength);
      j += endLength;
    }
    lines.push_back(line);
    i = j;
  }
  return lines;
}

QByteArray JoinLines(const std::vector<Line>& lines) {
  QByteArray t;
  for (const Line& l : lines) t += l.text + l.end;
  return t;
}

bool Breaks(const QString& s) { return s.contains(u'\r') || s.contains(u'\n') || s.contains(QChar(u'\0')); }

QString HeaderFor(const QString& section) { return QLatin1Char('[') + section + QLatin1Char(']'); }

bool SameText(const QByteArray& bytes, const QString& text) {
  return QString::compare(DecodeUtf8OrWindows1252(bytes), text, Qt::CaseInsensitive) == 0;
}

// The index of the section's header line, or -1.
qsizetype FindHeader(const std::vector<Line>& lines, const QString& section) {
  const QString header = HeaderFor(section);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].text.startsWith('[') && SameText(lines[i].text, header)) return qsizetype(i);
  return -1;
}

// One past the last line of the section whose header is at index header.
size_t SectionEnd(const std::vector<Line>& lines, qsizetype header) {
  size_t i = size_t(header) + 1;
  while (i < lines.size() && !lines[i].text.startsWith('[')) ++i;
  return i;
}

// The length of the key part of an entry line that holds key (a key never holds "="), or -1.
qsizetype KeyLength(const QByteArray& line, const QString& key) {
  const qsizetype equals = line.indexOf('=');
  return equals >= 0 && SameText(line.left(equals), key) ? equals : -1;
}

// The index of the key's entry line within the section, or -1.
qsizetype FindEntry(const std::vector<Line>& lines, qsizetype header, const QString& key) {
  const size_t end = SectionEnd(lines, header);
  for (size_t i = size_t(header) + 1; i < end; ++i)
    if (KeyLength(lines[i].text, key) >= 0) return qsizetype(i);
  return -1;
}

}  // namespace

iniClass::iniClass(const FolderItem& file) : file_(file) {}

bool iniClass::IsStorable(const QString& section, const QString& key, const QString& value) {
  // Line ends and NULs would break the file; "]" would end the header early.
  if (Breaks(section) || section.contains(u']')) return false;
  // An empty key, a key with "=" or one that begins with "[" would not read back as this entry.
  if (key.isEmpty() || Breaks(key) || key.contains(u'=') || key.startsWith(u'[')) return false;
  return !Breaks(value);
}

void iniClass::Report(const QString& failure) {
  if (reported_.contains(failure)) return;
  reported_.append(failure);
  std::fprintf(stderr, "Harmonote: settings: %s\n", failure.toLocal8Bit().constData());
  std::fflush(stderr);
}

namespace {

// The file's lines without a byte-order mark (kept in bom), or false when it cannot be read. Only
// a regular file is read (a named pipe or a device is refused, never waited on).
bool ReadSettingsLines(const FolderItem& file, std::vector<Line>& lines, QByteArray& bom, QString& failure) {
  QByteArray bytes;
  try {
    bytes = TextInputStream::ReadBytes(file);
  } catch (const std::exception& e) {
    failure = ExceptionReason(e);
    return false;
  }
  // A file in UTF-16 or UTF-32 would be garbled by entries added in UTF-8.
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("\0\0\xFE\xFF", 4))) {
    failure = QStringLiteral("\"%1\" is not a settings file").arg(file.Path());
    return false;
  }
  if (bytes.startsWith(kByteOrderMark)) {
    bom = kByteOrderMark;
    bytes.remove(0, kByteOrderMark.size());
  }
  lines = SplitLines(bytes);
  return true;
}

}  // namespace

int iniClass::GetPreference(const QString& section, const QString& key, QString& value) {
  value.clear();
  if (!file_.Exists() || !IsStorable(section, key, QString())) return 0;
  std::vector<Line> lines;
  QByteArray bom;
  QString failure;
  if (!ReadSettingsLines(file_, lines, bom, failure)) {
    Report(failure);
    return 0;
  }
  const qsizetype header = FindHeader(lines, section);
  if (header < 0) return 0;
  const qsizetype entry = FindEntry(lines, header, key);
  if (entry < 0) return 0;
  const QByteArray& line = lines[size_t(entry)].text;
  value = DecodeUtf8OrWindows1252(line.mid(KeyLength(line, key) + 1));
  return int(value.size());
}

void iniClass::SetPreference(const QString& section, const QString& key, const QString& value) {
  if (!IsStorable(section, key, value)) {
    const auto shown = [](QString s) {
      return s.replace(u'\r', u' ').replace(u'\n', u' ').replace(QChar(u'\0'), u' ');
    };
    Report(QStringLiteral("the entry \"%1\" of [%2] was not written: it would break the file's lines")
               .arg(shown(key), shown(section)));
    return;
  }
  if (!file_.IsValid()) {
    Report(QStringLiteral("there is no settings file to write"));
    return;
  }
  std::vector<Line> lines;
  QByteArray bom;
  if (file_.Exists()) {
    QString failure;
    if (!ReadSettingsLines(file_, lines, bom, failure)) {
      if (failure.endsWith(u'.')) failure.chop(1);
      Report(failure + QStringLiteral("; it was left as it is"));
      return;
    }
  }
  const QByteArray cr(1, kCR);
  const Line entryLine{key.toUtf8() + '=' + value.toUtf8(), cr};
  const qsizetype header = FindHeader(lines, section);
  if (header < 0) {
    if (!lines.empty() && lines.back().end.isEmpty()) lines.back().end = cr;
    lines.push_back(Line{HeaderFor(section).toUtf8(), cr});
    lines.push_back(entryLine);
  } else if (const qsizetype entry = FindEntry(lines, header, key); entry >= 0) {
    Line& line = lines[size_t(entry)];
    line.text = line.text.left(KeyLength(line.text, key) + 1) + value.toUtf8();  // the key keeps its spelling
    if (line.end.isEmpty()) line.end = cr;
  } else {
    const size_t end = SectionEnd(lines, header);
    if (lines[end - 1].end.isEmpty()) lines[end - 1].end = cr;
    lines.insert(lines.begin() + qsizetype(end), entryLine);
  }
  try {
    TextOutputStream::WriteBytes(file_, bom + JoinLines(lines));
  } catch (const std::exception& e) {
    Report(ExceptionReason(e));
  }
}
