#pragma once
// Dialogs for tests: each kind of dialog answers from its own queue (Cancel or no file when the
// queue is empty) and every request is recorded. Installs itself while it lives.
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/dialogs.h"
#include "platform/recording_graphics.h"

// How the scripted printer dialog answers: cancel, print to a PDF file, or record the pages.
struct PrinterAnswer {
  enum Kind { Cancel, Pdf, Record } kind = Cancel;
  QString pdfPath;
  std::shared_ptr<RecordingGraphics> recording;  // Record: the page graphics, kept by the test
  int copies = 1;
  bool failBegin = false;  // Record: the job cannot start

  static PrinterAnswer Cancelled() { return {}; }
  static PrinterAnswer ToPdf(const QString& path, int copies = 1) { return {Pdf, path, nullptr, copies, false}; }
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
  std::optional<FolderItem> GetOpenFolderItem(const QString& filter) override;
  std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName) override;
  void ShowURL(const QString& url) override;
  bool ShowPageSetup(PrinterSetup& setup) override;
  std::unique_ptr<PrintJob> ShowPrinterDialog(PrinterSetup& setup) override;

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
  QStringList openFilters;
  QStringList saveFilters;
  QStringList saveSuggestions;
  QStringList urls;
  std::vector<PrinterSetup> pageSetups;     // the setup each page-setup dialog started from
  std::vector<PrinterSetup> printerSetups;  // the setup each printer dialog was shown for

 private:
  Dialogs* previous_;
};
