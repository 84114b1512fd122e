#include "app/resources_folder.h"

#include <QCoreApplication>

namespace {
const ResourcesPlace* g_place = nullptr;
}

void ResourcesPlace::Install(const ResourcesPlace* place) { g_place = place; }

const ResourcesPlace* ResourcesPlace::Installed() { return g_place; }

FolderItem ResourcesFolder() {
  if (g_place) return g_place->Folder();
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
