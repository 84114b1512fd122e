#include "app/app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

#include "app/application_icon.h"
#include "app/ini_class.h"
#include "app/module1.h"
#include "app/version.h"
#include "platform/core/errors.h"

namespace {

std::unique_ptr<App> g_app;

void ReportOnErrorStream(const QString& what) {
  std::fprintf(stderr, "Harmonote: %s\n", what.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

App::App() { UseApplicationIcon(); }

App& App::Instance() {
  if (!g_app) throw NilObjectException(QStringLiteral("There is no application object"));
  return *g_app;
}

bool App::Exists() { return g_app != nullptr; }

void App::Register(std::unique_ptr<App> app) { g_app = std::move(app); }

void App::Release() { g_app.reset(); }

void App::Event_Open() {
  Module1::newPageSymbol = QStringLiteral("+++++");
  App::Instance().SetAutoQuit(true);
  SetupINI();
}

void App::Event_OpenDocument(const FolderItem& item) {
  // A nil item replaces the earlier one too, and leaves the main window nothing to open.
  if (item.IsValid())
    Module1::gOpenThisFile = item;
  else
    Module1::gOpenThisFile.reset();
}

void App::SetupINI() {
  CheckINILocation(SettingsFolderName());
  FolderItem file;
  const FolderItem appData = SpecialFolder::ApplicationData();
  if (!appData.IsValid()) {
    ReportOnErrorStream(QStringLiteral("settings: there is no application-data folder; settings are not kept"));
  } else {
    const FolderItem folder = appData.Child(SettingsFolderName());
    try {
      folder.CreateAsFolder();
    } catch (const std::exception& e) {
      ReportOnErrorStream(QStringLiteral("settings: ") + ExceptionReason(e));
    }
    file = folder.Child(SettingsFileName());
  }
  Module1::myINI = std::make_shared<iniClass>(file);
}

void App::CheckINILocation(const QString& folderName) {
  try {
    const FolderItem appData = SpecialFolder::ApplicationData();
    if (!appData.IsValid()) return;
    const FolderItem dest = appData.Child(folderName);
    if (dest.Exists()) return;
    const FolderItem prefs = SpecialFolder::Preferences();
    if (!prefs.IsValid()) return;
    const FolderItem old = prefs.Child(folderName);
    if (!old.IsFolder() || old.IsSymLink()) return;
    // A temporary sibling left by an interrupted copy is thrown away and the copy made again.
    const FolderItem temp = appData.Child(folderName + QStringLiteral(".partial"));
    if (temp.Exists()) temp.Delete();
    try {
      CopyFolder(old, temp);
      temp.MoveTo(dest);
    } catch (...) {
      try {
        if (temp.Exists()) temp.Delete();
      } catch (...) {
      }
      throw;
    }
  } catch (const std::exception& e) {
    ReportOnErrorStream(QStringLiteral("the old settings folder was not copied: ") + ExceptionReason(e));
  } catch (...) {
    ReportOnErrorStream(QStringLiteral("the old settings folder was not copied"));
  }
}

void App::CopyFolder(const FolderItem& from, const FolderItem& dest) {
  // Named pipes, sockets and devices are never opened (a pipe would block the start-up).
  for (const QString& path : from.CopyFileTo(dest))
    ReportOnErrorStream(
        QStringLiteral("\"%1\" in the old settings folder is not a regular file; it was not copied").arg(path));
}

void App::SetAutoQuit(bool on) { QGuiApplication::setQuitOnLastWindowClosed(on); }

bool App::AutoQuit() const { return QGuiApplication::quitOnLastWindowClosed(); }

QString App::ShortVersion() const { return ApplicationShortVersion(); }

FolderItem App::ExecutableFile() const { return FolderItem(QCoreApplication::applicationFilePath()); }
