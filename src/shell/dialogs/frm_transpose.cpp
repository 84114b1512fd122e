#include "shell/dialogs/frm_transpose.h"

#include <QKeyEvent>
#include <utility>

#include "platform/core/strings.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/text_fit.h"
#include "shell/dialogs/dialog_parts.h"

using namespace dialog_parts;

frmTranspose::frmTranspose(const QString& songKey, TransposeFn transpose, QWidget* parent)
    : QDialog(parent), transpose_(std::move(transpose)) {
  Layout();
  CreateControls();
  Event_Open(songKey);
}

void frmTranspose::Layout() { SetUpWindow(this, QStringLiteral("Transpose"), 321, 94); }

void frmTranspose::CreateControls() {
  label1_ = AddLabel(this, QStringLiteral("Label1"), QStringLiteral("Transpose from "), 20, 20, 121, 20);
  txtFrom_ = AddTextField(this, QStringLiteral("txtFrom"), 148, 20, 52, 22);
  label1_->setBuddy(txtFrom_);  // names the field for screen readers
  label2_ = AddLabel(this, QStringLiteral("Label2"), QStringLiteral("to"), 212, 20, 25, 20, Qt::AlignCenter);
  txtTo_ = AddTextField(this, QStringLiteral("txtTo"), 249, 19, 52, 22);
  label2_->setBuddy(txtTo_);  // names the field for screen readers
  pushButton1_ = AddButton(this, QStringLiteral("PushButton1"), QStringLiteral("Transpose"), 176, 52, 125, 22);
  pushButton2_ = AddButton(this, QStringLiteral("PushButton2"), QStringLiteral("Cancel"), 20, 52, 80, 22);
  pushButton1_->setDefault(true);
  setTabOrder(txtFrom_, txtTo_);
  setTabOrder(txtTo_, pushButton1_);
  setTabOrder(pushButton1_, pushButton2_);
  FitTextsIn(this);  // once every control is in its place
  txtFrom_->setFocus();
  connect(pushButton1_, &QPushButton::clicked, this, &frmTranspose::PushButton1_Action);
  connect(pushButton2_, &QPushButton::clicked, this, &frmTranspose::PushButton2_Action);
}

void frmTranspose::Event_Open(const QString& songKey) {
  txtFrom_->setText(songKey);
  txtTo_->setText(songKey);
}

void frmTranspose::PushButton1_Action() {
  const QString fromKey = Trim(txtFrom_->text());
  const QString toKey = Trim(txtTo_->text());
  if (fromKey.isEmpty() || toKey.isEmpty()) {
    Dialogs::Current().MsgBox(QStringLiteral("From and To cannot be blank."));
    return;
  }
  if (transpose_) transpose_(fromKey, toKey);
  accept();
}

void frmTranspose::PushButton2_Action() { reject(); }

void frmTranspose::keyPressEvent(QKeyEvent* e) {
  if (!dialog_parts::EscapePresses(e, pushButton2_)) QDialog::keyPressEvent(e);
}
