#pragma once
// Everything modal or external goes through one Dialogs object: the application installs the Qt
// one; the tests install dialogs of their own that answer from a script.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/core/files.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/printer_setup.h"

class QWidget;

struct MessageDialogRequest {
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
  virtual DialogButton ShowMessageDialog(const MessageDialogRequest& request) = 0;
  // filter: registered file type names joined by ";". documentFolder: the folder of the open
  // document, or nothing when it has no file; the dialog starts in StartFolder(documentFolder).
  // Empty when cancelled.
  virtual std::optional<FolderItem> GetOpenFolderItem(const QString& filter, const FolderItem& documentFolder) = 0;
  // Adds the type's extension when the chosen name has none; asks before replacing a file.
  virtual std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName,
                                                      const FolderItem& documentFolder) = 0;
  virtual void ShowURL(const QString& url) = 0;
  // The page-setup dialog, started from setup; true when accepted, and setup then holds the
  // user's choice. Cancelled, setup is left alone.
  virtual bool ShowPageSetup(PrinterSetup& setup) = 0;
  // The printer dialog for setup and document (also offering a PDF file, suggested at
  // document.pdfPath); the job to print, not yet begun, or nullptr when cancelled.
  virtual std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup, const PrintDocument& document) = 0;

  // The dialogs in use; Qt's until another is installed.
  static Dialogs& Current();
  // Installs d (not owned); nullptr goes back to Qt's.
  static void Install(Dialogs* d);
  // The window the Qt dialogs are shown over.
  static void SetParentWindow(QWidget* w);

  // The filters the open and save dialogs offer for a filter text: one entry per type
  // ("Song documents (*.hmnt)"), with several types an entry for all of them first, and in the
  // open dialog "All files (*)" last.
  static QStringList OpenDialogFilters(const QString& filter);
  static QStringList SaveDialogFilters(const QString& filter);
  // Where a file dialog starts: the document's folder when it is one, else the folder last used
  // while the dialogs in use were (NoteFolderUsed), else the home folder; never the process's
  // working folder.
  static FolderItem StartFolder(const FolderItem& documentFolder);
  // Remembers folder as the one last used: a file was chosen, opened or saved there. The dialogs
  // in use keep it, so that other dialogs installed start with no folder used.
  static void NoteFolderUsed(const FolderItem& folder);

 private:
  FolderItem folderUsed_;
};

class QtDialogs : public Dialogs {
 public:
  void MsgBox(const QString& text) override;
  DialogButton ShowMessageDialog(const MessageDialogRequest& request) override;
  // Qt's own file dialog (not the desktop's), which matches the filters in any letter case.
  std::optional<FolderItem> GetOpenFolderItem(const QString& filter, const FolderItem& documentFolder) override;
  std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName,
                                              const FolderItem& documentFolder) override;
  void ShowURL(const QString& url) override;
  // A real printer gets the system's page-setup dialog; without one, our own dialog serves.
  bool ShowPageSetup(PrinterSetup& setup) override;
  std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup, const PrintDocument& document) override;
};

// Makes Guarded report to the user: each report goes to MsgBox of the dialogs in use at that
// moment (Dialogs::Current()). The application's run and the tests' start-up call it.
void ReportErrorsInDialogs();
