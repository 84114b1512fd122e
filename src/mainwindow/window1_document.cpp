// Documents: reading and writing songs, the save prompt, the default layout values, the window
// events and the start-up timer.
//
// Nothing here may lose the user's work: a file is read, decoded and checked before the window
// changes, a save keeps what the old file had and never writes unseen over another program's
// change, and a failure is told to the user with the file and the reason while the song, its
// file, its flag and its title stay.
#include <utility>

#include "app/file_types1.h"
#include "app/ini_class.h"
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "mainwindow/window1_document_names.h"
#include "platform/core/errors.h"
#include "platform/core/files.h"
#include "platform/core/guard.h"
#include "platform/core/in_place_backup.h"
#include "platform/core/outside_text.h"
#include "platform/core/strings.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/dialogs.h"
#include "sheet/song_document.h"
#include "sheet/song_file.h"
#include "shell/toolbar1.h"

namespace {

QString OpenFailureText(const FolderItem& file, const QString& reason) {
  return QStringLiteral("The song \"%1\" could not be opened.\n\n%2").arg(ShownText(file.Path()), reason);
}

QString SaveFailureText(const FolderItem& file, const QString& reason) {
  return QStringLiteral("The song could not be saved as \"%1\".\n\n%2").arg(ShownText(file.Path()), reason);
}

QString UnsyncedSaveText(const FolderItem& file, const QString& reason) {
  return QStringLiteral("The song was written to \"%1\" but may not survive a crash.\n\n%2")
      .arg(ShownText(file.Path()), reason);
}

QString BackupNotice(const FolderItem& file, const QString& backup) {
  return QStringLiteral(
             "A save of \"%1\" did not finish, so the song may be incomplete. The song as it was before that "
             "save is in \"%2\"; the next save of this song removes it.")
      .arg(ShownText(file.Name()), ShownText(backup));
}

const FileType& SongDocumentType() {
  const FileTypeRef type = FileTypes1::HMNT();
  if (!type) throw NilObjectException(QStringLiteral("The song document type is not defined"));
  return *type;
}

}  // namespace

void Window1::ParseFile(const QString& text) {
  // The whole text is checked before the first field is touched: a refused text changes nothing.
  SongDocumentRead read = ParseSongDocument(text);
  if (!read.ok) throw RuntimeException(read.refusal);
  state_.SetDocument(AsShown(ReadOver(std::move(read), state_.Document())));
  ShowSong(Afresh::EveryText, state_.Document().title);
}

void Window1::ShowSong(Afresh afresh, const QString& title) {
  FillControls(afresh);
  SetTitle(title);
  doDrawing();
}

void Window1::SetDefaults() {
  state_.SetDocument(WithDefaultLayout(state_.Document()));
  state_.SetPage(1);
  setPageLabel();
  FillControls(Afresh::None);
  doDrawing();
}

bool Window1::mSave() { return SaveSong() != SaveResult::Saved; }

Window1::SaveResult Window1::SaveSong() {
  const SongDocument& doc = state_.Document();
  if (!state_.File()) {
    const QString name = SuggestedSongName(doc.title);
    // The song has no file here, so the dialog starts in the folder last used.
    std::optional<FolderItem> chosen = Dialogs::Current().GetSaveFolderItem(
        SongDocumentType().ToString(), SuggestedFileName(doc.title, kSongExtension), FolderItem());
    // The save dialog has asked before replacing a file there: that file is not asked about again.
    if (chosen && chosen->IsValid()) state_.SetFileAndStamp(*chosen, FileStamp::Of(*chosen));
    if (!state_.File()) {
      SetTitle(name);
      return SaveResult::Cancelled;
    }
  }
  const FolderItem file = *state_.File();
  // Another program may have changed the file since this window read or wrote it.
  const std::optional<FileStamp> onDisk = FileStamp::Of(file);
  if (onDisk && onDisk != state_.Stamp() && !ConfirmSaveOverChange(file)) return SaveResult::Cancelled;
  try {
    WriteSongFile(state_, onDisk);
  } catch (const UnsyncedWriteException& e) {
    // The song is in the file, but may not survive a crash: it stays unsaved, so that the next
    // save tries again and closing still asks.
    Dialogs::NoteFolderUsed(file.Parent());
    Dialogs::Current().MsgBox(UnsyncedSaveText(file, e.Reason()));
    SetTitle(doc.title);
    return SaveResult::Unsynced;
  } catch (const std::exception& e) {
    // The song stays unsaved, with its title and the file chosen; mSave's true stops whatever
    // asked for the save, so that closing, New or Open cannot discard the song.
    Dialogs::Current().MsgBox(SaveFailureText(file, ExceptionReason(e)));
    return SaveResult::Failed;
  }
  Dialogs::NoteFolderUsed(file.Parent());
  SetTitle(doc.title);
  return SaveResult::Saved;
}

bool Window1::ConfirmSaveOverChange(const FolderItem& file) {
  MessageDialogRequest ask;
  ask.Icon = MessageDialogRequest::Caution;
  ask.Message = QStringLiteral("\"%1\" was changed by another program since it was opened here. Save over it?")
                    .arg(ShownText(file.Name()));
  ask.ActionButton = QStringLiteral("Save Anyway");
  ask.CancelButton = QStringLiteral("Cancel");
  return Dialogs::Current().ShowMessageDialog(ask) == DialogButton::Action;
}

void Window1::mOpenFile(const FolderItem& file) {
  const bool import = IsTextImportName(file.Name());
  SongFileRead got;
  // A save of this song that did not finish may have left it torn, and its old content aside.
  const std::optional<QString> backup = import ? std::nullopt : LeftBackup(file);
  try {
    got = ReadSongFile(file, import);
  } catch (const std::exception& e) {
    QString text = OpenFailureText(file, ExceptionReason(e));
    if (backup) text += QStringLiteral("\n\n") + BackupNotice(file, *backup);
    Dialogs::Current().MsgBox(text);
    return;
  }
  Dialogs::NoteFolderUsed(file.Parent());
  // The song is taken whole, the layout values at their defaults where the file gives none, and
  // shown from its first page: the controls are filled from it, and it is drawn once.
  SongDocument doc = WithDefaultLayout(state_.Document());
  state_.SetPage(1);
  if (import) {
    // The imported text replaces the song text only: the header fields and the centre line
    // stay, and the song counts as modified until it is saved under a name of its own.
    doc.song = std::move(got.text);
    state_.SetDocument(AsShown(std::move(doc)));
    state_.SetFileAndStamp(std::nullopt, std::nullopt);
    ShowSong(Afresh::SongText, QStringLiteral("Harmonote"));
    return;
  }
  state_.Open(AsShown(ReadOver(std::move(got.read), doc)), file, got.stamp);
  ShowSong(Afresh::EveryText, state_.Document().title);
  if (backup) Dialogs::Current().MsgBox(BackupNotice(file, *backup));
}

bool Window1::Check4Save() {
  if (!Modified()) return false;
  MessageDialogRequest prompt;
  prompt.Icon = MessageDialogRequest::Question;
  prompt.Message = QStringLiteral("Save Changes for ") + Title() + QStringLiteral("?");
  prompt.ActionButton = QStringLiteral("Save Changes");
  prompt.AlternateButton = QStringLiteral("Discard Changes");
  prompt.CancelButton = QStringLiteral("Cancel");
  switch (Dialogs::Current().ShowMessageDialog(prompt)) {
    case DialogButton::Action:
      return mSave();
    case DialogButton::Alternate:
      return false;
    case DialogButton::Cancel:
      break;
  }
  // Cancel, Escape and closing the prompt keep the song.
  return true;
}

void Window1::Event_Open() {
  if (!Module1::myINI) throw NilObjectException(QStringLiteral("The settings store is missing"));
  QString value;
  if (Module1::myINI->GetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"), value) > 0 && Val(value) == 0)
    Toolbar11_->setVisible(false);
  ToggleSettings(false);
  SetDefaults();
  doDrawing();
  Modified(false);
}

bool Window1::Event_CancelClose(bool) { return Check4Save(); }

void Window1::Event_Close() {
  if (!Module1::myINI) throw NilObjectException(QStringLiteral("The settings store is missing"));
  // isHidden, not isVisible: the toolbar's own state, whether or not the window is on screen.
  Module1::myINI->SetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"),
                                Toolbar11_->isHidden() ? QStringLiteral("0") : QStringLiteral("1"));
}

void Window1::Timer1_Action(QTimer*) {
  if (Module1::gOpenThisFile) mOpenFile(*Module1::gOpenThisFile);
}

bool Window1::_mnuNew_Action() {
  if (Modified() && Check4Save()) return true;
  // An empty song with the default layout, without a file; the centre line stays as it was.
  SongDocument empty;
  empty.centerLine = state_.Document().centerLine;
  state_.Open(std::move(empty), std::nullopt, std::nullopt);
  state_.SetPage(1);
  ShowSong(Afresh::EveryText, QStringLiteral("Untitled"));
  return true;
}

bool Window1::_mnuOpen_Action() {
  if (Modified() && Check4Save()) return true;
  const FileTypeRef text = FileTypes1::Text();
  if (!text) throw NilObjectException(QStringLiteral("The plain text type is not defined"));
  const std::optional<FolderItem> chosen = Dialogs::Current().GetOpenFolderItem(
      SongDocumentType() + *text, state_.File() ? state_.File()->Parent() : FolderItem());
  if (!chosen || !chosen->IsValid()) {
    // The song stays on screen but no longer belongs to a file: the next Save asks for a name.
    state_.SetFileAndStamp(std::nullopt, std::nullopt);
    return true;
  }
  mOpenFile(*chosen);
  return true;
}

bool Window1::_mnuSave_Action() {
  mSave();
  return true;
}

bool Window1::_mnuSaveAs_Action() {
  const std::optional<FolderItem> file = state_.File();
  const std::optional<FileStamp> stamp = state_.Stamp();
  // The save dialog starts in the song's own folder, which the song forgets here.
  if (file) Dialogs::NoteFolderUsed(file->Parent());
  state_.SetFileAndStamp(std::nullopt, std::nullopt);
  if (SaveSong() == SaveResult::Failed) {
    // A refused Save As leaves the song with its own file, as it was: Save and closing then save
    // that file. Onto its own file, the song keeps what the failed write left of the stamp.
    state_.SetFileAndStamp(file, state_.File() == file ? state_.Stamp() : stamp);
  }
  return true;
}

bool Window1::_mnuRestoreDefaults_Action() {
  SetDefaults();
  return true;
}
