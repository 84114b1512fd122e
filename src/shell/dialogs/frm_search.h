#pragma once
// The Search dialog: asks for a search term and hands it back trimmed ("" when cancelled).
#include <QDialog>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class frmSearch : public QDialog {
  Q_OBJECT
 public:
  // term receives the hand-over: the trimmed field on Search, "" on Cancel; closing the window
  // any other way leaves it as it was. The main window passes its shared search term.
  explicit frmSearch(QString& term, QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* TextField1() const { return textField1_; }
  QPushButton* PushButton1() const { return pushButton1_; }  // "Search", the default button
  QPushButton* PushButton2() const { return pushButton2_; }  // "Cancel"

 public slots:
  void PushButton1_Action();
  void PushButton2_Action();

 protected:
  void keyPressEvent(QKeyEvent* e) override;  // Escape presses Cancel

 private:
  void Layout();
  void CreateControls();

  QString& term_;
  QLabel* label1_ = nullptr;
  QLineEdit* textField1_ = nullptr;
  QPushButton* pushButton1_ = nullptr;
  QPushButton* pushButton2_ = nullptr;
};
