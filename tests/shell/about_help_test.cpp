#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/app.h"
#include "app/resources_folder.h"
#include "support/doubles/resources_elsewhere.h"
#include "support/doubles/scripted_dialogs.h"
#include "shell/frm_about.h"
#include "shell/frm_help.h"
#include "support/contrast.h"
#include "support/test_env.h"

namespace {
// An application object for the about box to read the version from.
struct WithApp : ::testing::Test {
  void SetUp() override {
    if (!App::Exists()) App::Register(std::make_unique<App>());
  }
  void TearDown() override {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

void closeNow(QWidget* w) {
  w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
}  // namespace

using AboutBox = WithApp;
using HelpWindow = WithApp;

TEST_F(AboutBox, OpensFixedAtItsSizeOnTheAboutPageWithTheVersion) {
  frmAbout* box = frmAbout::Instance();
  EXPECT_EQ(box->windowTitle(), "About Harmonote");
  EXPECT_EQ(box->size(), QSize(403, 245));
  EXPECT_EQ(box->minimumSize(), box->maximumSize());  // cannot be resized
  const Qt::WindowFlags f = box->windowFlags();
  EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));
  EXPECT_EQ(box->Label2()->text(), "v" + App::Instance().ShortVersion());
  EXPECT_FALSE(box->Label2()->text().contains(' '));
  EXPECT_EQ(box->Label1()->text(), "Harmonote");
  EXPECT_TRUE(box->Label1()->font().bold());
  EXPECT_EQ(box->Label3()->text(), QString::fromUtf8("© 2026 The Harmonote developers"));
  EXPECT_EQ(box->Label4()->text(), "contact@harmonote.example.org");
  EXPECT_EQ(box->Label5()->text(), "harmonote.example.org");
  EXPECT_TRUE(box->Label5()->font().underline());

  QTabWidget* tabs = box->TabPanel1();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "About");
  EXPECT_EQ(tabs->tabText(1), "Contact");
  // Where the texts are: each page's labels inside the panel, their texts whole and centred, clear
  // of one another; the Close button inside the box, below the panel.
  const QRect panel = tabs->geometry();
  EXPECT_TRUE(box->rect().contains(panel));
  const auto textOf = [](QLabel* l) {
    const int width = l->fontMetrics().horizontalAdvance(l->text());
    const QRect r = l->geometry();
    return QRect(r.center().x() - width / 2, r.top(), width, r.height());
  };
  const std::vector<std::vector<QLabel*>> pages = {{box->Label1(), box->Label2(), box->Label3()},
                                                   {box->Label4(), box->Label5()}};
  for (const auto& page : pages) {
    for (size_t i = 0; i < page.size(); ++i) {
      QLabel* l = page[i];
      SCOPED_TRACE(l->text().toStdString());
      EXPECT_TRUE(panel.contains(l->geometry()));
      EXPECT_TRUE(l->alignment() & Qt::AlignHCenter);
      EXPECT_TRUE(l->geometry().contains(textOf(l))) << "the text is cut";
      for (size_t j = i + 1; j < page.size(); ++j) EXPECT_FALSE(textOf(l).intersects(textOf(page[j])));
    }
  }
  const QRect close = box->PushButton1()->geometry();
  EXPECT_TRUE(box->rect().contains(close));
  EXPECT_GT(close.top(), panel.bottom());
  EXPECT_EQ(box->PushButton1()->text(), "Close");

  box->show();
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(box->Label1()->isVisible());
  EXPECT_FALSE(box->Label5()->isVisible());
  tabs->setCurrentIndex(1);
  EXPECT_FALSE(box->Label1()->isVisible());
  EXPECT_TRUE(box->Label4()->isVisible());
  EXPECT_TRUE(box->Label5()->isVisible());
  EXPECT_TRUE(box->PushButton1()->isVisible());  // under the panel, whatever the page
  closeNow(box);
  EXPECT_FALSE(frmAbout::HasInstance());

  frmAbout* again = frmAbout::Instance();  // a new box, back on the first page
  EXPECT_EQ(again->TabPanel1()->currentIndex(), 0);
  closeNow(again);
}

TEST_F(AboutBox, TheWebAddressPointsAndOpensWhatItShows) {
  ScriptedDialogs dialogs;
  frmAbout* box = frmAbout::Instance();
  box->show();
  box->TabPanel1()->setCurrentIndex(1);
  QLabel* web = box->Label5();

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(web, &enter);
  EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(web, &leave);
  EXPECT_EQ(web->cursor().shape(), Qt::ArrowCursor);

  QTest::mouseClick(web, Qt::LeftButton);
  QTest::mouseClick(web, Qt::LeftButton);
  QTest::mouseClick(box->Label4(), Qt::LeftButton);  // the e-mail address does nothing
  EXPECT_EQ(dialogs.urls, QStringList({"harmonote.example.org", "harmonote.example.org"}));
  EXPECT_TRUE(box->isVisible());  // the box stays open
  closeNow(box);
}

TEST_F(AboutBox, ShowModalReturnsWhenCloseOrEscapeIsPressed) {
  for (bool escape : {false, true}) {
    frmAbout* box = frmAbout::Instance();
    QPointer<frmAbout> watch(box);
    bool sawModal = false;
    QTimer::singleShot(0, [&] {
      sawModal = QApplication::activeModalWidget() == watch.data();
      if (escape)
        QTest::keyClick(watch.data(), Qt::Key_Escape);
      else
        watch->PushButton1()->click();
    });
    box->ShowModal();
    EXPECT_TRUE(sawModal);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << (escape ? "escape" : "close");
  }
}

TEST_F(HelpWindow, OpensAtItsSizeWithThePageAndFollowsResizing) {
  ASSERT_TRUE(QFile::exists(ResourcesFolder().Child("help.html").Path()));
  frmHelp* help = frmHelp::Instance();
  help->Show();
  EXPECT_EQ(help->windowTitle(), "Help");
  EXPECT_FALSE(help->isModal());
  EXPECT_EQ(help->size(), QSize(600, 400));
  EXPECT_EQ(help->minimumSize(), QSize(600, 400));
  EXPECT_TRUE(help->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(help->windowFlags() & Qt::WindowFullscreenButtonHint);
  EXPECT_EQ(help->PushButton1()->text(), "Close");
  EXPECT_EQ(help->HTMLViewer1()->documentTitle(), "Harmonote Help");
  EXPECT_TRUE(help->HTMLViewer1()->toPlainText().contains("+++++"));

  // The page fills the window above the Close button, which keeps its size and its place in the
  // bottom right corner however the window is sized.
  const auto expectLaidOut = [&](QSize window, QMargins corner) {
    SCOPED_TRACE(QStringLiteral("%1 x %2").arg(window.width()).arg(window.height()).toStdString());
    const QRect page = help->HTMLViewer1()->geometry();
    const QRect close = help->PushButton1()->geometry();
    EXPECT_EQ(page.topLeft(), QPoint(0, 0));
    EXPECT_EQ(page.width(), window.width());
    EXPECT_LT(page.bottom(), close.top());
    EXPECT_EQ(close.size(), QSize(80, 22));
    EXPECT_EQ(window.width() - 1 - close.right(), corner.right());
    EXPECT_EQ(window.height() - 1 - close.bottom(), corner.bottom());
    EXPECT_EQ(close.top() - page.bottom(), corner.top());
  };
  const QRect close = help->PushButton1()->geometry();
  const QMargins corner(0, close.top() - help->HTMLViewer1()->geometry().bottom(), 599 - close.right(),
                        399 - close.bottom());
  EXPECT_GT(corner.right(), 0);
  EXPECT_GT(corner.bottom(), 0);
  expectLaidOut({600, 400}, corner);
  help->resize(700, 500);
  expectLaidOut({700, 500}, corner);
  help->resize(300, 200);  // never below its first size
  EXPECT_EQ(help->size(), QSize(600, 400));
  closeNow(help);
}

TEST_F(HelpWindow, OneWindowAtATimeAndANewOneAfterClosing) {
  frmHelp* first = frmHelp::Instance();
  first->Show();
  first->HTMLViewer1()->setPlainText("scrolled away");
  first->Show();
  EXPECT_EQ(frmHelp::Instance(), first);  // the same window, the page not loaded again
  EXPECT_EQ(first->HTMLViewer1()->toPlainText(), "scrolled away");
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frmHelp*>(w)) ++windows;
  EXPECT_EQ(windows, 1);

  QTest::keyClick(first, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(frmHelp::HasInstance());
  frmHelp* second = frmHelp::Instance();
  EXPECT_EQ(second->HTMLViewer1()->documentTitle(), "Harmonote Help");
  second->PushButton1()->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(frmHelp::HasInstance());
}

TEST_F(HelpWindow, ReturnAndEscapeInTheViewerCloseTheWindow) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    SCOPED_TRACE(key == Qt::Key_Return ? "return" : "escape");
    frmHelp* help = frmHelp::Instance();
    help->Show();
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    help->HTMLViewer1()->setFocus();
    QTest::keyClick(help->HTMLViewer1(), key);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmHelp::HasInstance());
    if (frmHelp::HasInstance()) closeNow(frmHelp::Instance());
  }
}

TEST_F(HelpWindow, AMissingPageLeavesTheViewerEmptyAndSaysNothing) {
  ScriptedDialogs dialogs;
  const ResourcesElsewhere resources(TestRoot() + "/no-resources");
  frmHelp* help = frmHelp::Instance();
  help->Show();
  EXPECT_TRUE(help->HTMLViewer1()->toPlainText().isEmpty());
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());
  closeNow(help);
}

TEST_F(AboutBox, TextsAndLinkAreReadableInLightAndDarkThemes) {
  for (const bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "dark theme" : "light theme");
    contrast::Theme theme(dark);
    frmAbout* box = frmAbout::Instance();
    box->show();
    for (int page : {0, 1}) {
      box->TabPanel1()->setCurrentIndex(page);
      QApplication::processEvents();
      const QImage shot = box->grab().toImage();
      for (QLabel* l : {box->Label1(), box->Label2(), box->Label3(), box->Label4(), box->Label5()}) {
        if (!l->isVisible()) continue;
        EXPECT_GE(contrast::InkContrast(shot, l->geometry()), 4.5) << l->text().toStdString();
      }
    }
    closeNow(box);
  }
}
