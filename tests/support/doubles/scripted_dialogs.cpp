#include "support/doubles/scripted_dialogs.h"

#include "support/doubles/recording_print_job.h"

namespace {
std::optional<FolderItem> take(std::deque<std::optional<FolderItem>>& queue) {
  std::optional<FolderItem> a;
  if (!queue.empty()) {
    a.swap(queue.front());
    queue.pop_front();
  }
  if (a && a->IsValid()) Dialogs::NoteFolderUsed(a->Parent());
  return a;
}
}  // namespace

// Each scripted run starts as a new run would: no folder used yet (the folder is this object's).
ScriptedDialogs::ScriptedDialogs() : previous_(nullptr) { Dialogs::Install(this); }

ScriptedDialogs::~ScriptedDialogs() { Dialogs::Install(previous_); }

void ScriptedDialogs::MsgBox(const QString& text) { msgBoxes << text; }

DialogButton ScriptedDialogs::ShowMessageDialog(const MessageDialogRequest& request) {
  messageDialogs.push_back(request);
  if (messageAnswers.empty()) return DialogButton::Cancel;
  DialogButton b = messageAnswers.front();
  messageAnswers.pop_front();
  return b;
}

std::optional<FolderItem> ScriptedDialogs::GetOpenFolderItem(const QString& filter, const FolderItem& documentFolder) {
  openFilters << filter;
  openDialogFilters.push_back(OpenDialogFilters(filter));
  openStartFolders.push_back(StartFolder(documentFolder));
  return take(openAnswers);
}

std::optional<FolderItem> ScriptedDialogs::GetSaveFolderItem(const QString& filter, const QString& suggestedName,
                                                             const FolderItem& documentFolder) {
  saveFilters << filter;
  saveDialogFilters.push_back(SaveDialogFilters(filter));
  saveStartFolders.push_back(StartFolder(documentFolder));
  saveSuggestions << suggestedName;
  return take(saveAnswers);
}

void ScriptedDialogs::ShowURL(const QString& url) { urls << url; }

bool ScriptedDialogs::ShowPageSetup(PrinterSetup& setup) {
  pageSetups.push_back(setup);
  if (pageSetupAnswers.empty()) return false;
  std::optional<QString> a = pageSetupAnswers.front();
  pageSetupAnswers.pop_front();
  if (!a) return false;
  if (!a->isEmpty()) setup.SetSetupString(*a);
  return true;
}

std::unique_ptr<PrintJob> ScriptedDialogs::ShowPrinterDialog(PrinterSetup& setup, const PrintDocument& document) {
  printerSetups.push_back(setup);
  printDocuments.push_back(document);
  if (printerAnswers.empty()) return nullptr;
  PrinterAnswer a = printerAnswers.front();
  printerAnswers.pop_front();
  switch (a.kind) {
    case PrinterAnswer::Pdf:
      return PrinterPrintJob::ForPdf(setup, a.target, a.copies, document);
    case PrinterAnswer::Queue:
      return PrinterPrintJob::ForPrinter(setup, a.target, a.copies, document);
    case PrinterAnswer::Record:
      return std::make_unique<RecordingPrintJob>(a.recording, a.copies, a.failBegin);
    case PrinterAnswer::Cancel:
      break;
  }
  return nullptr;
}
