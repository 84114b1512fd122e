// The about box by the keyboard alone, with real key presses: Tab reaches the Close button and, on
// the "Contact" page, both addresses; Return or Space on the web address opens it, as a click
// does, and on Close closes the box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "app/app.h"
#include "shell/frm_about.h"
#include "support/doubles/scripted_dialogs.h"
#include "x11/tab_cycle.h"
#include "x11/x_input.h"

namespace {
bool Reaches(const std::vector<QWidget*>& stops, QWidget* w) {
  return std::find(stops.begin(), stops.end(), w) != stops.end();
}

// Presses Tab until the focus is on target; false when a whole round does not get there.
bool TabTo(QWidget* target) {
  for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i) {
    QWidget* now = QApplication::focusWidget();
    xinput::Keys("Tab");
    xinput::WaitUntil([now] { return QApplication::focusWidget() != now; }, 1000);
  }
  return QApplication::focusWidget() == target;
}
}  // namespace

TEST(AboutKeys, TabReachesTheAddressesAndCloseAndTheKeysActOnThem) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "the about box by the keyboard");
  if (!App::Exists()) App::Register(std::make_unique<App>());
  ScriptedDialogs dialogs;
  QPointer<frmAbout> box = frmAbout::Instance();
  // A modal box left open would keep every later window of the suite from the keyboard.
  struct CloseAtEnd {
    QPointer<frmAbout> box;
    ~CloseAtEnd() {
      if (box) box->close();
    }
  } closeAtEnd{box};
  EXPECT_TRUE(Reaches(TabCycle(box), box->PushButton1())) << "Tab never reaches Close on the \"About\" page";

  // The page tabs take the arrow keys: Right shows the "Contact" page.
  ASSERT_TRUE(TabTo(box->TabPanel1()->tabBar()));
  xinput::Keys("Right");
  ASSERT_TRUE(xinput::WaitUntil([&] { return box->TabPanel1()->currentIndex() == 1; }));
  const std::vector<QWidget*> stops = TabCycle(box);
  for (QWidget* w : std::initializer_list<QWidget*>{box->Label4(), box->Label5(), box->PushButton1()})
    EXPECT_TRUE(Reaches(stops, w)) << "Tab never reaches " << Described(w) << " on the \"Contact\" page";

  ASSERT_TRUE(TabTo(box->Label5()));
  xinput::Keys("Return");
  xinput::Keys("space");
  xinput::Settle();
  EXPECT_EQ(dialogs.urls, QStringList({frmAbout::WebAddress(), frmAbout::WebAddress()}));
  ASSERT_TRUE(TabTo(box->Label4()));
  xinput::Keys("Return");  // the e-mail address does what its click does: nothing
  xinput::Settle();
  EXPECT_EQ(dialogs.urls.size(), 2);
  EXPECT_TRUE(box->isVisible());

  ASSERT_TRUE(TabTo(box->PushButton1()));
  xinput::Keys("Return");
  EXPECT_TRUE(xinput::WaitUntil([&] { return box.isNull() || !box->isVisible(); })) << "Return on Close";
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
