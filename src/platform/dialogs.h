#pragma once
// Everything modal or external goes through one Dialogs object: the application installs the Qt
// one; tests install ScriptedDialogs, which answers from a script and records what was asked.
#include <QString>
#include <memory>
#include <optional>

#include "platform/files.h"
#include "platform/print_job.h"
#include "platform/printer_setup.h"

class QWidget;

struct MessageDialogSpec {
  enum IconKind { Note = 0, Caution = 1, Stop = 2, Question = 3 };
  int Icon = Caution;
  QString Message;
  QString Explanation;
  QString ActionButton = QStringLiteral("OK");
  QString AlternateButton;  // "" hides it
  QString CancelButton;     // "" hides it
};

enum class DialogButton { Action, Alternate, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual void MsgBox(const QString& text) = 0;
  // Escape or closing the dialog gives Cancel.
  virtual DialogButton ShowMessageDialog(const MessageDialogSpec& request) = 0;
  // filter: registered file type names joined by ";". Empty when cancelled.
  virtual std::optional<FolderItem> GetOpenFolderItem(const QString& filter) = 0;
  // Adds the type's extension when the chosen name has none; asks before replacing a file.
  virtual std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName) = 0;
  virtual void ShowURL(const QString& url) = 0;
  // The page-setup dialog, started from setup; true when accepted, and setup then holds the
  // user's choice. Cancelled, setup is left alone.
  virtual bool ShowPageSetup(PrinterSetup& setup) = 0;
  // The printer dialog for setup (also offering a PDF file); the job to print, not yet begun, or
  // nullptr when cancelled.
  virtual std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup) = 0;

  // The dialogs in use; Qt's until another is installed.
  static Dialogs& Current();
  // Installs d (not owned); nullptr goes back to Qt's.
  static void Install(Dialogs* d);
  // The window the Qt dialogs are shown over.
  static void SetParentWindow(QWidget* w);
};

class QtDialogs : public Dialogs {
 public:
  void MsgBox(const QString& text) override;
  DialogButton ShowMessageDialog(const MessageDialogSpec& request) override;
  std::optional<FolderItem> GetOpenFolderItem(const QString& filter) override;
  std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName) override;
  void ShowURL(const QString& url) override;
  // A real printer gets the system's page-setup dialog; without one, our own dialog serves.
  bool ShowPageSetup(PrinterSetup& setup) override;
  std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup) override;
};
