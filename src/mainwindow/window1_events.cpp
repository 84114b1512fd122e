// What the controls do when the user works them: redraws, page arrows, the toolbar and the marker
// buttons, the settings panel, and the close request.
#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>

#include "mainwindow/window1.h"
#include "platform/core/errors.h"
#include "platform/core/graphics.h"
#include "platform/core/guard.h"
#include "platform/core/strings.h"
#include "platform/desktop/controls/bevel_button.h"
#include "platform/desktop/controls/check_box.h"
#include "platform/desktop/controls/slider.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/picture.h"
#include "shell/menu_bar1.h"
#include "shell/toolbar1.h"

namespace {
MenuItem* Required(MenuItem* item, const char* name) {
  if (!item) throw NilObjectException(QStringLiteral("The menu item %1 is missing").arg(QLatin1String(name)));
  return item;
}
}  // namespace

void Window1::Canvas1_Paint(Canvas*, Graphics& g) {
  if (pImage_) g.DrawPicture(*pImage_, 0, 0);
  g.ForeColor(QColor(0, 0, 0));
  g.DrawRect(0, 0, g.Width(), g.Height());
}

// Each control that shows a song field writes it to the state, and the preview is drawn again.
void Window1::txtTitle_TextChange(TextField* c) { FieldChange(c); }
void Window1::txtCapo_TextChange(TextField* c) { FieldChange(c); }
void Window1::txtKey_TextChange(TextField* c) { FieldChange(c); }
void Window1::txtTiming_TextChange(TextField* c) { FieldChange(c); }
void Window1::txtTempo_TextChange(TextField* c) { FieldChange(c); }
void Window1::cbCenterLine_Action(CheckBox* c) { FieldChange(c); }

void Window1::txtSong_TextChange(TextArea* c) {
  if (Required(mnuShowMono(), "mnuShowMono")->Checked()) c->SetTextFont(QStringLiteral("Courier"));
  FieldChange(c);
}

void Window1::sldrRowHeight_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrFretOffset_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrFrets_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrChordOffset_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrChords_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrWordSize_ValueChanged(Slider* c) { FieldChange(c); }
void Window1::sldrSpacing_ValueChanged(Slider* c) { FieldChange(c); }

void Window1::UpDownArrows1_Up(UpDownArrows*) {
  state_.SetPage(std::max<std::int64_t>(state_.Page() - 1, 1));
  setPageLabel();
  doDrawing();
}

void Window1::UpDownArrows1_Down(UpDownArrows*) {
  state_.SetPage(std::min<std::int64_t>(state_.Page() + 1, TotalPages()));
  setPageLabel();
  doDrawing();
}

void Window1::Toolbar11_Action(Toolbar1*, QAction* item) {
  if (!item) return;
  const QString caption = item->text();
  const struct {
    const char* caption;
    void (Window1::*command)();
  } commands[] = {
      {"Chord", &Window1::ApplyChord}, {"Caption", &Window1::ApplyCaption}, {"Paragraph", &Window1::ApplyParagraph},
      {"Frets", &Window1::ApplyFret},  {"Bold", &Window1::ApplyBold},       {"Column", &Window1::ApplyColumn},
      {"Page", &Window1::ApplyPage}};
  for (const auto& c : commands) {
    if (EqualsCI(caption, QLatin1String(c.caption))) {
      (this->*c.command)();
      return;
    }
  }
}

void Window1::PushButton1_Action(QPushButton*) { ApplyChord(); }
void Window1::PushButton2_Action(QPushButton*) { ApplyCaption(); }
void Window1::PushButton3_Action(QPushButton*) { ApplyParagraph(); }
void Window1::PushButton4_Action(QPushButton*) { ApplyFret(); }
void Window1::PushButton5_Action(QPushButton*) { ApplyBold(); }
void Window1::PushButton7_Action(QPushButton*) { ApplyColumn(); }
void Window1::PushButton6_Action(QPushButton*) { ApplyPage(); }

void Window1::BevelButton1_Action(BevelButton* c) { ToggleSettings(c->Value()); }

void Window1::ToggleSettings(bool show) {
  GroupBox1_->setVisible(show);
  txtSong_->resize(txtSong_->width(), show ? 350 : 628);
  if (BevelButton1_->Value() != show) BevelButton1_->SetValue(show);
  MenuItem* settings = Required(mnuSettings(), "mnuSettings");
  if (settings->Checked() != show) settings->SetChecked(show);
}

void Window1::closeEvent(QCloseEvent* event) {
  bool keepOpen = false;
  // A close check that fails keeps the window, and with it the song, open.
  if (!Guarded([&] { keepOpen = Event_CancelClose(false); }) || keepOpen) {
    event->ignore();
    return;
  }
  Guarded([this] { Event_Close(); });
  closed_ = true;
  event->accept();
}
