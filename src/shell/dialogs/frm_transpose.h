#pragma once
// The Transpose dialog: asks for the key the song is in and the key to put it in, both fields
// opening with the song's key, and hands the trimmed keys to the transposition it was given.
#include <QDialog>
#include <QString>
#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class frmTranspose : public QDialog {
  Q_OBJECT
 public:
  using TransposeFn = std::function<void(const QString& fromKey, const QString& toKey)>;

  // songKey: the text of the song's key field, put into both fields as it stands. transpose is
  // called with the trimmed keys when Transpose is pressed with neither field blank; it reports
  // unknown keys itself, and the dialog closes after it in every case.
  frmTranspose(const QString& songKey, TransposeFn transpose, QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLineEdit* txtFrom() const { return txtFrom_; }
  QLabel* Label2() const { return label2_; }
  QLineEdit* txtTo() const { return txtTo_; }
  QPushButton* PushButton1() const { return pushButton1_; }  // "Transpose", the default button
  QPushButton* PushButton2() const { return pushButton2_; }  // "Cancel"

 public slots:
  void PushButton1_Action();
  void PushButton2_Action();

 protected:
  void keyPressEvent(QKeyEvent* e) override;  // Escape presses Cancel

 private:
  void Layout();
  void CreateControls();
  void Event_Open(const QString& songKey);

  TransposeFn transpose_;
  QLabel* label1_ = nullptr;
  QLineEdit* txtFrom_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* txtTo_ = nullptr;
  QPushButton* pushButton1_ = nullptr;
  QPushButton* pushButton2_ = nullptr;
};
