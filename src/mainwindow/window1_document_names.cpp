#include "mainwindow/window1_document_names.h"

#include "platform/core/outside_text.h"
#include "platform/core/strings.h"

namespace {
constexpr qsizetype kLongestFileName = 255;  // bytes
const QString kBlankName = QStringLiteral("Saved Song");
}  // namespace

QString SuggestedSongName(const QString& title) {
  QString name = Trim(title);
  if (name.isEmpty()) return kBlankName;
  for (const char* removed : {"'", "&", ":", ","}) name = ReplaceAll(name, QLatin1String(removed), QString());
  name = Trim(WithoutControls(ReplaceAll(name, QStringLiteral("/"), QStringLiteral("-"))));
  qsizetype start = 0;
  while (start < name.size() && (name[start] == QLatin1Char('.') || name[start].isSpace())) ++start;
  name.remove(0, start);
  return name.isEmpty() ? kBlankName : name;
}

QString SuggestedFileName(const QString& title, const QString& extension) {
  return Trim(Utf8Prefix(SuggestedSongName(title), kLongestFileName - extension.toUtf8().size())) + extension;
}

bool IsTextImportName(const QString& fileName) { return Lowercase(Right(fileName, 4)) == QLatin1String(".txt"); }
