#include "shell/dialogs/frm_replace.h"

#include <QKeyEvent>

#include "platform/core/strings.h"
#include "platform/desktop/text_fit.h"
#include "shell/dialogs/dialog_parts.h"

using namespace dialog_parts;

frmReplace::frmReplace(QString& term, QString& replacement, QWidget* parent)
    : QDialog(parent), term_(term), replacement_(replacement) {
  Layout();
  CreateControls();
}

void frmReplace::Layout() { SetUpWindow(this, QStringLiteral("Search and Replace"), 305, 122); }

void frmReplace::CreateControls() {
  label1_ = AddLabel(this, QStringLiteral("Label1"), QStringLiteral("Search For"), 20, 21, 78, 20);
  textField1_ = AddTextField(this, QStringLiteral("TextField1"), 110, 20, 175, 22);
  label1_->setBuddy(textField1_);  // names the field for screen readers
  pushButton1_ = AddButton(this, QStringLiteral("PushButton1"), QStringLiteral("Replace All"), 184, 87, 101, 22);
  pushButton2_ = AddButton(this, QStringLiteral("PushButton2"), QStringLiteral("Cancel"), 20, 86, 80, 22);
  label2_ = AddLabel(this, QStringLiteral("Label2"), QStringLiteral("Replace With"), 20, 54, 88, 20);
  textField2_ = AddTextField(this, QStringLiteral("TextField2"), 110, 53, 175, 22);
  label2_->setBuddy(textField2_);  // names the field for screen readers
  pushButton1_->setDefault(true);
  setTabOrder(textField1_, textField2_);
  setTabOrder(textField2_, pushButton1_);
  setTabOrder(pushButton1_, pushButton2_);
  FitTextsIn(this);  // once every control is in its place
  textField1_->setFocus();
  connect(pushButton1_, &QPushButton::clicked, this, &frmReplace::PushButton1_Action);
  connect(pushButton2_, &QPushButton::clicked, this, &frmReplace::PushButton2_Action);
}

void frmReplace::PushButton1_Action() {
  term_ = Trim(textField1_->text());
  replacement_ = Trim(textField2_->text());
  accept();
}

void frmReplace::PushButton2_Action() {
  term_ = QString();
  reject();
}

void frmReplace::keyPressEvent(QKeyEvent* e) {
  if (!dialog_parts::EscapePresses(e, pushButton2_)) QDialog::keyPressEvent(e);
}
