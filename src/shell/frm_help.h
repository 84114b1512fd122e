#pragma once
// The help window: the application's help page (Resources/help.html) in a viewer, with a "Close"
// button below. Modeless and resizable (never below 600 by 400); one window at a time, made
// afresh, with the page loaded again, after it has closed.
#include <QDialog>
#include <QPointer>

class QPushButton;
class QTextBrowser;

class frmHelp : public QDialog {
  Q_OBJECT
 public:
  // The one help window, created when there is none (again after it has closed).
  static frmHelp* Instance();
  static bool HasInstance();

  // Shows the window without waiting and brings it to the front.
  void Show();

  QTextBrowser* HTMLViewer1() const { return htmlViewer1_; }
  QPushButton* PushButton1() const { return pushButton1_; }

  void PushButton1_Action();
  // Loads the help page into the viewer; nothing is shown when it is missing.
  void Event_Open();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  explicit frmHelp(QWidget* parent = nullptr);
  void Layout();
  void CreateControls();

  QTextBrowser* htmlViewer1_ = nullptr;
  QPushButton* pushButton1_ = nullptr;

  static QPointer<frmHelp> instance_;
};
