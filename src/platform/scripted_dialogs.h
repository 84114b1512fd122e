#pragma once
// Dialogs for tests: each kind of dialog answers from its own queue (Cancel or no file when the
// queue is empty) and every request is recorded. Installs itself while it lives.
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/dialogs.h"

class ScriptedDialogs : public Dialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  void MsgBox(const QString& text) override;
  DialogButton ShowMessageDialog(const MessageDialogSpec& spec) override;
  std::optional<FolderItem> GetOpenFolderItem(const QString& filter) override;
  std::optional<FolderItem> GetSaveFolderItem(const QString& filter, const QString& suggestedName) override;
  void ShowURL(const QString& url) override;

  // Answers.
  std::deque<DialogButton> messageAnswers;
  std::deque<std::optional<FolderItem>> openAnswers;
  std::deque<std::optional<FolderItem>> saveAnswers;

  // What was asked.
  QStringList msgBoxes;
  std::vector<MessageDialogSpec> messageDialogs;
  QStringList openFilters;
  QStringList saveFilters;
  QStringList saveSuggestions;
  QStringList urls;

 private:
  Dialogs* previous_;
};
