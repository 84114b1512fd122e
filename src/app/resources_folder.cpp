#include "app/resources_folder.h"

#include <QCoreApplication>

namespace {
QString g_testFolder;
}

FolderItem ResourcesFolder() {
  if (!g_testFolder.isEmpty()) return FolderItem(g_testFolder);
  return ResourcesFolderFor(FolderItem(QCoreApplication::applicationDirPath()));
}

FolderItem ResourcesFolderFor(const FolderItem& executableFolder) {
  const FolderItem contents = executableFolder.Parent();
  FolderItem beside = contents.Child(QStringLiteral("Resources"));
  if (beside.IsFolder()) return beside;
  FolderItem installed = contents.Child(QStringLiteral("share/harmonote/Resources"));
  if (installed.IsFolder()) return installed;
  return beside;
}

void SetResourcesFolderForTests(const QString& path) { g_testFolder = path; }
