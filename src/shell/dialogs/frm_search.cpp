#include "shell/dialogs/frm_search.h"

#include <QKeyEvent>

#include "platform/core/strings.h"
#include "platform/desktop/text_fit.h"
#include "shell/dialogs/dialog_parts.h"

using namespace dialog_parts;

frmSearch::frmSearch(QString& term, QWidget* parent) : QDialog(parent), term_(term) {
  Layout();
  CreateControls();
}

void frmSearch::Layout() { SetUpWindow(this, QStringLiteral("Search"), 287, 94); }

void frmSearch::CreateControls() {
  label1_ = AddLabel(this, QStringLiteral("Label1"), QStringLiteral("Search For"), 20, 20, 78, 20);
  textField1_ = AddTextField(this, QStringLiteral("TextField1"), 92, 19, 175, 22);
  label1_->setBuddy(textField1_);  // names the field for screen readers
  pushButton1_ = AddButton(this, QStringLiteral("PushButton1"), QStringLiteral("Search"), 187, 52, 80, 22);
  pushButton2_ = AddButton(this, QStringLiteral("PushButton2"), QStringLiteral("Cancel"), 20, 52, 80, 22);
  pushButton1_->setDefault(true);
  setTabOrder(textField1_, pushButton1_);
  setTabOrder(pushButton1_, pushButton2_);
  FitTextsIn(this);  // once every control is in its place
  textField1_->setFocus();
  connect(pushButton1_, &QPushButton::clicked, this, &frmSearch::PushButton1_Action);
  connect(pushButton2_, &QPushButton::clicked, this, &frmSearch::PushButton2_Action);
}

void frmSearch::PushButton1_Action() {
  term_ = Trim(textField1_->text());
  accept();
}

void frmSearch::PushButton2_Action() {
  term_ = QString();
  reject();
}

void frmSearch::keyPressEvent(QKeyEvent* e) {
  if (!dialog_parts::EscapePresses(e, pushButton2_)) QDialog::keyPressEvent(e);
}
