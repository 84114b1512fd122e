#pragma once
// Dialogs for tests: each kind of dialog answers from its own queue (Cancel or no file when the
// queue is empty) and every request is recorded. Installs itself while it lives, and starts with
// no folder used in the run.
#include <QStringList>
#include <deque>
#include <vector>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/dialogs.h"

// How the scripted printer dialog answers: cancel, print to a PDF file, print on a print queue
// (as Qt's dialog leaves the printer when that queue is chosen), or record the pages.
struct PrinterAnswer {
  enum Kind { Cancel, Pdf, Queue, Record } kind = Cancel;
  QString target;                                // Pdf: the file's path; Queue: the queue's name
  std::shared_ptr<RecordingGraphics> recording;  // Record: the page graphics, kept by the test
  int copies = 1;
  bool failBegin = false;  // Record: the job cannot start

  static PrinterAnswer Cancelled() { return {}; }
  static PrinterAnswer ToPdf(const QString& path, int copies = 1) { return {Pdf, path, nullptr, copies, false}; }
  static PrinterAnswer OnQueue(const QString& queue, int copies = 1) { return {Queue, queue, nullptr, copies, false}; }
  static PrinterAnswer Recorded(std::shared_ptr<RecordingGraphics> g, int copies = 1, bool failBegin = false) {
    return {Record, QString(), std::move(g), copies, failBegin};
  }
};

class ScriptedDialogs : public Dialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  void MsgBox(const QString& text) override;
  DialogButton ShowMessageDialog(const MessageDialogSpec& request) override;
  // A file answer counts as the folder used, as a file chosen in Qt's dialogs does.
  std::optional<FolderItem> GetOpenFolderItem(const QString& filter, const FolderItem& documentFolder) override;
  std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName,
                                              const FolderItem& documentFolder) override;
  void ShowURL(const QString& url) override;
  bool ShowPageSetup(PrinterSetup& setup) override;
  std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup, const PrintDocument& document) override;

  // Answers.
  std::deque<DialogButton> messageAnswers;
  std::deque<std::optional<FolderItem>> openAnswers;
  std::deque<std::optional<FolderItem>> saveAnswers;
  // Page setup: nullopt cancels; a string accepts, and when not empty becomes the setup string.
  std::deque<std::optional<QString>> pageSetupAnswers;
  std::deque<PrinterAnswer> printerAnswers;

  // What was asked.
  QStringList msgBoxes;
  std::vector<MessageDialogSpec> messageDialogs;
  QStringList openFilters;  // the filter texts asked for
  QStringList saveFilters;
  std::vector<QStringList> openDialogFilters;  // the filters the dialogs show
  std::vector<QStringList> saveDialogFilters;
  std::vector<FolderItem> openStartFolders;  // the folders the dialogs start in
  std::vector<FolderItem> saveStartFolders;
  QStringList saveSuggestions;
  QStringList urls;
  std::vector<PrinterSetup> pageSetups;       // the setup each page-setup dialog started from
  std::vector<PrinterSetup> printerSetups;    // the setup each printer dialog was shown for
  std::vector<PrintDocument> printDocuments;  // and the document

 private:
  Dialogs* previous_;
};
