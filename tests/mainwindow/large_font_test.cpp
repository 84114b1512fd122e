// A larger desktop font (14 and 18 points): no text of the window, its settings panel or a
// dialog is cut, while the controls keep their places.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QToolButton>

#include "app/app.h"
#include "platform/desktop/text_fit.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/frm_about.h"
#include "window_fixture.h"

namespace {
// Every label and button inside top shows its whole text.
void ExpectNoTextCut(QWidget* top) {
  int checked = 0;
  for (QWidget* w : top->findChildren<QWidget*>()) {
    const bool label = qobject_cast<QLabel*>(w), button = qobject_cast<QAbstractButton*>(w);
    if (!label && !button) continue;
    if (qobject_cast<QToolButton*>(w)) continue;  // the toolbar's buttons take their caption's size
    if (button && qobject_cast<QAbstractButton*>(w)->text().isEmpty()) continue;
    ++checked;
    const QString text = label ? qobject_cast<QLabel*>(w)->text() : qobject_cast<QAbstractButton*>(w)->text();
    EXPECT_TRUE(TextFitsBox(w)) << top->objectName().toStdString() << ": \"" << text.toStdString() << "\" in "
                                << w->width() << "x" << w->height() << " at " << QFontInfo(w->font()).pixelSize()
                                << " px";
  }
  EXPECT_GT(checked, 0) << top->objectName().toStdString();
}

template <int Points>
class LargeFont : public WindowFixture {
 protected:
  void PrepareSettings() override {
    saved_ = QApplication::font();
    QFont f = saved_;
    f.setPointSize(Points);
    QApplication::setFont(f);
  }
  void TearDown() override {
    WindowFixture::TearDown();
    QApplication::setFont(saved_);
  }

  void ExpectEveryTextWhole() {
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

 private:
  QFont saved_;
};

using LargeFont14 = LargeFont<14>;
using LargeFont18 = LargeFont<18>;
}  // namespace

TEST_F(LargeFont14, NoTextIsCut) { ExpectEveryTextWhole(); }
TEST_F(LargeFont18, NoTextIsCut) { ExpectEveryTextWhole(); }
