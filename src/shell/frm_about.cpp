#include "shell/frm_about.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTabWidget>
#include <algorithm>
#include <functional>
#include <utility>

#include "app/app.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/text_fit.h"

QPointer<frmAbout> frmAbout::instance_;

namespace {
constexpr int kWidth = 403;

// Sizes are in pixels of the window, like the positions.
QFont systemFont(int pixels, bool bold = false, bool underline = false) {
  QFont f;
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setUnderline(underline);
  return f;
}

// An address of the "Contact" page: Tab stops at it, it shows the keyboard's focus, and Return,
// Enter or Space act on it as a click does.
class AddressLabel : public QLabel {
 public:
  AddressLabel(const QString& text, QWidget* parent, std::function<void(QPoint)> click)
      : QLabel(text, parent), click_(std::move(click)) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect mark;
    mark.initFrom(this);
    mark.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, mark);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
      click_(rect().center());
      return;
    }
    QLabel::keyPressEvent(event);
  }

 private:
  std::function<void(QPoint)> click_;
};

QLabel* newLabel(QLabel* l, const QRect& box, const QFont& font) {
  const QString text = l->text();
  l->setTextFormat(Qt::PlainText);
  l->setGeometry(box);
  l->setFont(font);
  l->setAlignment(Qt::AlignCenter);
  l->setTextInteractionFlags(Qt::NoTextInteraction);
  // A text wider than its box widens the box about its centre (inside the window), so that the
  // centred text shows whole.
  const int needed = l->fontMetrics().horizontalAdvance(text) + 2;
  if (needed > box.width()) {
    const int grow = (std::min(needed, kWidth - 8) - box.width() + 1) / 2;
    l->setGeometry(box.adjusted(-grow, 0, grow, 0));
  }
  return l;
}

QLabel* newLabel(QWidget* parent, const QString& text, const QRect& box, const QFont& font) {
  return newLabel(new QLabel(text, parent), box, font);
}
}  // namespace

frmAbout* frmAbout::Instance() {
  if (!instance_) instance_ = new frmAbout();
  return instance_;
}

bool frmAbout::HasInstance() { return !instance_.isNull(); }

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  Layout();
  CreateControls();
  Event_Open();
}

void frmAbout::Layout() {
  setWindowTitle(QStringLiteral("About Harmonote"));
  // A fixed-size dialog with a close button and no minimise, maximise or full-screen button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kWidth, 245);
  setModal(true);
}

void frmAbout::CreateControls() {
  tabPanel1_ = new QTabWidget(this);
  tabPanel1_->setGeometry(20, 20, 363, 171);
  tabPanel1_->setFont(systemFont(12));
  // The texts keep their fixed black and blue, so their pages keep a fixed light background:
  // readable whatever the theme's own colours.
  for (const char* title : {"About", "Contact"}) {
    auto* page = new QWidget;
    QPalette light = page->palette();
    light.setColor(QPalette::Window, Qt::white);
    page->setPalette(light);
    page->setAutoFillBackground(true);
    tabPanel1_->addTab(page, QString::fromLatin1(title));
  }

  // The labels stand in window coordinates over the panel and show with their page.
  label3_ = newLabel(this, RightsNotice(), QRect(40, 141, 321, 20), systemFont(12));
  label2_ = newLabel(this, QStringLiteral("version"), QRect(40, 109, 321, 20), systemFont(12));
  label1_ = newLabel(this, QStringLiteral("Harmonote"), QRect(40, 67, 321, 30), systemFont(22, true));
  label4_ = newLabel(new AddressLabel(ContactEmail(), this, [this](QPoint at) { Label4_MouseDown(at.x(), at.y()); }),
                     QRect(102, 58, 199, 20), systemFont(12));
  label5_ = newLabel(new AddressLabel(WebAddress(), this, [this](QPoint at) { Label5_MouseDown(at.x(), at.y()); }),
                     QRect(102, 90, 199, 20), systemFont(12, false, true));
  QPalette link = label5_->palette();
  link.setColor(QPalette::WindowText, QColor(0, 0, 255));
  label5_->setPalette(link);
  for (QLabel* l : {label1_, label2_, label3_, label4_}) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
  }
  label4_->installEventFilter(this);
  label5_->installEventFilter(this);
  // Set once their text interaction is, which sets the focus of a label too.
  label4_->setFocusPolicy(Qt::TabFocus);
  label5_->setFocusPolicy(Qt::TabFocus);

  pushButton1_ = new QPushButton(QStringLiteral("Close"), this);
  pushButton1_->setGeometry(161, 203, 80, 22);
  FitTextToBox(pushButton1_);
  pushButton1_->setDefault(true);
  pushButton1_->setAutoDefault(true);
  connect(pushButton1_, &QPushButton::clicked, this, &frmAbout::PushButton1_Action);

  // The keyboard goes from the page tabs to the addresses (on the "Contact" page) and to Close.
  setTabOrder(tabPanel1_, label4_);
  setTabOrder(label4_, label5_);
  setTabOrder(label5_, pushButton1_);
  connect(tabPanel1_, &QTabWidget::currentChanged, this, &frmAbout::showPage);
  tabPanel1_->setCurrentIndex(0);
  showPage(0);
}

void frmAbout::showPage(int index) {
  for (QLabel* l : {label1_, label2_, label3_}) {
    l->setVisible(index == 0);
    l->raise();
  }
  for (QLabel* l : {label4_, label5_}) {
    l->setVisible(index == 1);
    l->raise();
  }
}

void frmAbout::Event_Open() { label2_->setText(QStringLiteral("v") + App::Instance().ShortVersion()); }

int frmAbout::ShowModal() { return exec(); }

bool frmAbout::Label4_MouseDown(int, int) { return false; }

bool frmAbout::Label5_MouseDown(int, int) {
  // The address shown is the address opened.
  Dialogs::Current().ShowURL(label5_->text());
  return false;
}

void frmAbout::Label5_MouseEnter() { label5_->setCursor(Qt::PointingHandCursor); }

void frmAbout::Label5_MouseExit() { label5_->setCursor(Qt::ArrowCursor); }

void frmAbout::PushButton1_Action() { close(); }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label5_) {
    switch (event->type()) {
      case QEvent::Enter:
        Label5_MouseEnter();
        break;
      case QEvent::Leave:
        Label5_MouseExit();
        break;
      case QEvent::MouseButtonPress: {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        return Label5_MouseDown(at.x(), at.y());
      }
      default:
        break;
    }
  } else if (watched == label4_ && event->type() == QEvent::MouseButtonPress) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    return Label4_MouseDown(at.x(), at.y());
  }
  return QDialog::eventFilter(watched, event);
}
