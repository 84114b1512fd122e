#include "mainwindow/window1_document_names.h"

#include "platform/core/strings.h"

QString SuggestedSongName(const QString& title) {
  QString name = Trim(title);
  if (name.isEmpty()) return QStringLiteral("Saved Song");
  for (const char* removed : {"'", "&", ":", ","}) name = ReplaceAll(name, QLatin1String(removed), QString());
  return ReplaceAll(name, QStringLiteral("/"), QStringLiteral("-"));
}

bool IsTextImportName(const QString& fileName) { return Lowercase(Right(fileName, 4)) == QLatin1String(".txt"); }
