// filled in by the documents/printing/tools work
// Documents: reading and writing songs, the save prompt, the default layout values, the window
// events and the start-up timer.
#include "app/ini_class.h"
#include "app/module1.h"
#include "mainwindow/window1.h"
#include "platform/controls/slider.h"
#include "platform/errors.h"
#include "platform/strings.h"
#include "shell/toolbar1.h"

void Window1::ParseFile(const QString&) {}
bool Window1::Check4Save() { return false; }
bool Window1::mSave() { return false; }
void Window1::mOpenFile(const FolderItem&) {}

void Window1::SetDefaults() {
  isOpening = true;
  sldrSpacing_->SetValue(5);
  sldrWordSize_->SetValue(12);
  sldrChords_->SetValue(12);
  sldrChordOffset_->SetValue(13);
  sldrFrets_->SetValue(7);
  sldrFretOffset_->SetValue(22);
  sldrRowHeight_->SetValue(27);
  CurrentPageNumber = 1;
  setPageLabel();
  isOpening = false;
  doDrawing();
}

void Window1::Event_Open() {
  if (!Module1::myINI) throw NilObjectException(QStringLiteral("The settings store is missing"));
  QString value;
  if (Module1::myINI->GetPreference(QStringLiteral("Toolbar"), QStringLiteral("Visible"), value) > 0 &&
      Val(value) == 0)
    Toolbar11_->setVisible(false);
  ToggleSettings(false);
  SetDefaults();
  doDrawing();
  Modified(false);
}

bool Window1::Event_CancelClose(bool) { return Check4Save(); }
void Window1::Event_Close() {}
void Window1::Timer1_Action(QTimer*) {}

bool Window1::_mnuOpen_Action() { return true; }
bool Window1::_mnuSave_Action() { return true; }
bool Window1::_mnuNew_Action() { return true; }
bool Window1::_mnuRestoreDefaults_Action() { return true; }
bool Window1::_mnuSaveAs_Action() { return true; }
