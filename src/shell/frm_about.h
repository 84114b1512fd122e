#pragma once
// The about box: on the page "About" the product name, the version and the rights notice; on the
// page "Contact" the e-mail and web addresses; a "Close" button below. A click on the web address
// opens it in the browser. Tab reaches both addresses, where Return or Space does what a click
// does. Modal; one window at a time, made afresh after it has closed.
#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;
class QTabWidget;

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  // The one about box, created when there is none (again after it has closed).
  static frmAbout* Instance();
  static bool HasInstance();

  // Shows the box and returns when it has closed.
  int ShowModal();

  QTabWidget* TabPanel1() const { return tabPanel1_; }
  QLabel* Label1() const { return label1_; }  // product name
  QLabel* Label2() const { return label2_; }  // version
  QLabel* Label3() const { return label3_; }  // rights notice
  QLabel* Label4() const { return label4_; }  // e-mail address
  QLabel* Label5() const { return label5_; }  // web address
  QPushButton* PushButton1() const { return pushButton1_; }

  // The control handlers, also for tests.
  bool Label4_MouseDown(int x, int y);
  bool Label5_MouseDown(int x, int y);
  void Label5_MouseEnter();
  void Label5_MouseExit();
  void PushButton1_Action();
  void Event_Open();

  static QString RightsNotice() { return QStringLiteral("\u00A9 2026 The Harmonote developers"); }
  static QString ContactEmail() { return QStringLiteral("contact@harmonote.example.org"); }
  static QString WebAddress() { return QStringLiteral("harmonote.example.org"); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit frmAbout(QWidget* parent = nullptr);
  void Layout();
  void CreateControls();
  void showPage(int index);

  QTabWidget* tabPanel1_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label5_ = nullptr;
  QPushButton* pushButton1_ = nullptr;

  static QPointer<frmAbout> instance_;
};
