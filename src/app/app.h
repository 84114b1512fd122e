#pragma once
// The application object: prepares the shared state before the main window exists (the
// page-break marker, quitting with the last window, the settings store) and keeps the document
// the operating system hands over, for the main window to open.
#include <QString>
#include <functional>
#include <memory>

#include "platform/core/files.h"

class ApplicationMenuBar;

class App {
 public:
  // Making the application object gives every window the application's icon.
  App();
  virtual ~App() = default;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The registered application object; NilObjectException when there is none.
  static App& Instance();
  static bool Exists();
  // Start-up registers the one object; Release drops it at shutdown.
  static void Register(std::unique_ptr<App> app);
  static void Release();

  // The application's Open event: "+++++" as the page-break marker, AutoQuit on, SetupINI.
  virtual void Event_Open();
  // Keeps the file for the main window, replacing an earlier one; nothing else.
  virtual void Event_OpenDocument(const FolderItem& item);
  // Brings an old settings folder over, makes the settings folder and the settings store. Never
  // stops start-up: without a usable folder the store reads "" and writes nothing.
  virtual void SetupINI();
  // Copies the folder folderName from the preferences folder into the application-data folder
  // when only the old one exists. The copy goes into a temporary sibling that is renamed into
  // place, so an interrupted copy leaves nothing half-made and is tried again at the next start.
  virtual void CheckINILocation(const QString& folderName);

  // The application quits when its last window has closed.
  void SetAutoQuit(bool on);
  bool AutoQuit() const;

  void SetMenuBar(ApplicationMenuBar* bar) { menuBar_ = bar; }
  ApplicationMenuBar* MenuBar() const { return menuBar_; }

  QString ShortVersion() const;
  FolderItem ExecutableFile() const;

  static QString SettingsFolderName() { return QStringLiteral("VuqHarmonote"); }
  static QString SettingsFileName() { return QStringLiteral("Harmonote.ini"); }

 protected:
  // Copies the old folder's tree to dest (links are not followed). Throws IOException.
  virtual void CopyFolder(const FolderItem& from, const FolderItem& dest);

 private:
  ApplicationMenuBar* menuBar_ = nullptr;
};
