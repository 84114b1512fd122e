#pragma once
// The Search and Replace dialog: asks for a search term and its replacement and hands both back
// trimmed; Cancel hands back an empty term and leaves the replacement alone.
#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class frmReplace : public QDialog {
  Q_OBJECT
 public:
  // term and replacement receive the hand-over (the main window passes its shared globals):
  // Replace All sets both, Cancel sets term to "" only, closing otherwise sets neither.
  frmReplace(QString& term, QString& replacement, QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* TextField1() const { return textField1_; }
  QPushButton* PushButton1() const { return pushButton1_; }  // "Replace All", the default button
  QPushButton* PushButton2() const { return pushButton2_; }  // "Cancel"
  QLabel* Label2() const { return label2_; }
  QLineEdit* TextField2() const { return textField2_; }

 public slots:
  void PushButton1_Action();
  void PushButton2_Action();

 protected:
  void keyPressEvent(QKeyEvent* e) override;  // Escape presses Cancel

 private:
  void Layout();
  void CreateControls();

  QString& term_;
  QString& replacement_;
  QLabel* label1_ = nullptr;
  QLineEdit* textField1_ = nullptr;
  QPushButton* pushButton1_ = nullptr;
  QPushButton* pushButton2_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* textField2_ = nullptr;
};
