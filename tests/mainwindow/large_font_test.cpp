// The desktop font at the test's default size, at the desktops' usual 10 and 11 points and at 14
// and 18: no text of the window, its settings panel or a dialog is cut, neither by its own box nor
// by the field after it, while the controls keep their places; the settings panel's buttons show
// their captions in one size.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "app/app.h"
#include "platform/desktop/text_fit.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/frm_about.h"
#include "window_fixture.h"

namespace {
// Where a label draws its text, in its parent's coordinates: as wide and high as the font sets
// it, placed in the label's box as its alignment says.
QRect ShownText(const QLabel* l) {
  const QFontMetrics fm = l->fontMetrics();
  const int width = fm.horizontalAdvance(l->text());
  const QRect box = l->geometry();
  const int left = l->alignment() & Qt::AlignHCenter ? box.left() + (box.width() - width) / 2
                   : l->alignment() & Qt::AlignRight ? box.left() + box.width() - width
                                                     : box.left();
  return {left, box.top() + (box.height() - fm.height()) / 2, width, fm.height()};
}

// Every label and button inside top shows its whole text; a label's text ends before its field.
void ExpectNoTextCut(QWidget* top) {
  int checked = 0;
  for (QWidget* w : top->findChildren<QWidget*>()) {
    const QString where = top->objectName() + QStringLiteral(": \"");
    const QString px = QStringLiteral(" at %1 px").arg(QFontInfo(w->font()).pixelSize());
    if (auto* l = qobject_cast<QLabel*>(w)) {
      ++checked;
      const QRect text = ShownText(l);
      const QRect box = l->geometry();
      EXPECT_TRUE(box.contains(text)) << (where + l->text() + "\" is " + QString::number(text.width()) +
                                          " px wide in " + QString::number(box.width()) + " px" + px)
                                             .toStdString();
      if (QWidget* buddy = l->buddy(); buddy && buddy->parentWidget() == l->parentWidget()) {
        EXPECT_LE(text.left() + text.width(), buddy->x())
            << (where + l->text() + "\" runs into " + buddy->objectName() + " by " +
                QString::number(text.left() + text.width() - buddy->x()) + " px" + px)
                   .toStdString();
      }
      continue;
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button || qobject_cast<QToolButton*>(w)) continue;  // the toolbar's buttons take their caption's size
    if (button->text().isEmpty()) continue;
    ++checked;
    EXPECT_TRUE(TextFitsBox(w))
        << (where + button->text() + "\" in " + QString::number(w->width()) + " px" + px).toStdString();
  }
  EXPECT_GT(checked, 0) << top->objectName().toStdString();
}

// 0: the font as the test application has it.
class DesktopFont : public WindowFixture, public ::testing::WithParamInterface<int> {
 protected:
  void PrepareSettings() override {
    saved_ = QApplication::font();
    if (GetParam() == 0) return;
    QFont f = saved_;
    f.setPointSize(GetParam());
    QApplication::setFont(f);
  }
  void TearDown() override {
    WindowFixture::TearDown();
    QApplication::setFont(saved_);
  }

 private:
  QFont saved_;
};

TEST_P(DesktopFont, NoTextIsCut) {
  w->ToggleSettings(true);
  w->setObjectName("Window1");
  ExpectNoTextCut(w);
  // The places stay: a button keeps its box.
  EXPECT_EQ(w->PushButton3()->geometry().size(), QSize(90, 22));
  QString a, b;
  frmSearch search(a);
  search.setObjectName("Search");
  ExpectNoTextCut(&search);
  frmReplace replace(a, b);
  replace.setObjectName("Replace");
  ExpectNoTextCut(&replace);
  frmTranspose transpose("G", nullptr);
  transpose.setObjectName("Transpose");
  ExpectNoTextCut(&transpose);
  if (!App::Exists()) App::Register(std::make_unique<App>());
  frmAbout* about = frmAbout::Instance();
  about->setObjectName("About");
  ExpectNoTextCut(about);
  delete about;
}

// The column of marker buttons: where one caption needs a smaller size, all take it.
TEST_P(DesktopFont, ThePanelsButtonsShareOneSize) {
  const QPushButton* chord = w->PushButton1();
  for (const QPushButton* b :
       {w->PushButton2(), w->PushButton3(), w->PushButton4(), w->PushButton5(), w->PushButton7(), w->PushButton6()})
    EXPECT_EQ(QFontInfo(b->font()).pixelSize(), QFontInfo(chord->font()).pixelSize()) << b->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Points, DesktopFont, ::testing::Values(0, 10, 11, 14, 18));
}  // namespace
