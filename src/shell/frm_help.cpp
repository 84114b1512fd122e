#include "shell/frm_help.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>

#include "app/resources_folder.h"

QPointer<frmHelp> frmHelp::instance_;

namespace {
// The viewer keeps every edge on the window's but the bottom one, 53 pixels up; the button keeps
// its size 20 pixels from the right and 19 from the bottom.
constexpr int kViewerBottomGap = 53;
constexpr int kButtonRightGap = 20;
constexpr int kButtonBottomGap = 19;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 22;
}  // namespace

frmHelp* frmHelp::Instance() {
  if (!instance_) instance_ = new frmHelp();
  return instance_;
}

bool frmHelp::HasInstance() { return !instance_.isNull(); }

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  Layout();
  CreateControls();
  Event_Open();
}

void frmHelp::Layout() {
  setWindowTitle(QStringLiteral("Help"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setModal(false);
  setMinimumSize(600, 400);
  resize(600, 400);
}

void frmHelp::CreateControls() {
  htmlViewer1_ = new QTextBrowser(this);
  htmlViewer1_->setGeometry(0, 0, 600, 347);
  htmlViewer1_->setOpenExternalLinks(true);
  htmlViewer1_->setAccessibleName(QStringLiteral("Help text"));  // what a screen reader calls it

  pushButton1_ = new QPushButton(QStringLiteral("Close"), this);
  pushButton1_->setGeometry(500, 359, kButtonWidth, kButtonHeight);
  pushButton1_->setDefault(true);
  pushButton1_->setAutoDefault(true);
  connect(pushButton1_, &QPushButton::clicked, this, &frmHelp::PushButton1_Action);
  setTabOrder(htmlViewer1_, pushButton1_);
}

void frmHelp::Event_Open() {
  const FolderItem page = ResourcesFolder().Child(QStringLiteral("help.html"));
  if (!page.IsValid() || !page.Exists()) return;  // no page, no message
  htmlViewer1_->setSource(QUrl::fromLocalFile(page.Path()));
}

void frmHelp::Show() {
  show();
  raise();
  activateWindow();
}

void frmHelp::PushButton1_Action() { close(); }

void frmHelp::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QSize s = event->size();
  htmlViewer1_->setGeometry(0, 0, s.width(), std::max(0, s.height() - kViewerBottomGap));
  pushButton1_->setGeometry(s.width() - kButtonRightGap - kButtonWidth, s.height() - kButtonBottomGap - kButtonHeight,
                            kButtonWidth, kButtonHeight);
}
