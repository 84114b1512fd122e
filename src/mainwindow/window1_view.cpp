// The view commands (spell checking, toolbar, settings panel, monospaced font) and the help
// window and about box.
#include "mainwindow/window1.h"

#include "platform/core/errors.h"
#include "platform/desktop/controls/text_area.h"
#include "shell/frm_about.h"
#include "shell/frm_help.h"
#include "shell/menu_bar1.h"
#include "shell/toolbar1.h"

namespace {
template <class T>
T* Required(T* p, const char* what) {
  if (!p) throw NilObjectException(QStringLiteral("No %1").arg(QLatin1String(what)));
  return p;
}
}  // namespace

bool Window1::_mnuHelp_Action() {
  frmHelp::Instance()->Show();  // modeless: the same window when one is open
  return true;
}

bool Window1::_mnuAbout_Action() {
  frmAbout::Instance()->ShowModal();
  return true;
}

bool Window1::_mnuToggleSpellCheck_Action() {
  TextArea* song = Required(txtSong(), "song text area");
  song->SetAutomaticallyCheckSpelling(!song->AutomaticallyCheckSpelling());
  song->SelectAll();
  song->SetSelStart(0);
  song->SetSelLength(0);
  return true;
}

bool Window1::_mnuToggleToolbar_Action() {
  Toolbar1* bar = Required(Toolbar11(), "toolbar");
  bar->setVisible(bar->isHidden());
  return true;
}

bool Window1::_mnuSettings_Action() {
  MenuItem* item = Required(mnuSettings(), "Settings item");
  item->SetChecked(!item->Checked());
  ToggleSettings(item->Checked());
  return true;
}

bool Window1::_mnuShowMono_Action() {
  MenuItem* item = Required(mnuShowMono(), "Mono Spaced Font item");
  TextArea* song = Required(txtSong(), "song text area");
  item->SetChecked(!item->Checked());
  if (item->Checked()) {
    song->SetTextFont(QStringLiteral("Courier"));
    // The text goes back exactly as it is, every character kept and the undo history with it;
    // the assignment still runs the change handler, which redraws and marks the song modified.
    // The caret and the selection stay where they were.
    const int start = song->SelStart();
    const int length = song->SelLength();
    song->ReplaceText(song->Text());
    song->SetSelStart(start);
    song->SetSelLength(length);
  } else {
    song->SetTextFont(QStringLiteral("System"));
  }
  return true;
}
