// Every stop of the keyboard's focus has a name that a screen reader can say (its own, or its
// label's): Tab, pressed for real, goes round the whole focus chain of the main window (with the
// settings panel hidden and shown) and of each dialog of the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QTextEdit>

#include "app/app.h"
#include "mainwindow/modal_driver.h"
#include "mainwindow/window_fixture.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/page_setup_dialog.h"
#include "shell/dialogs/frm_replace.h"
#include "shell/dialogs/frm_search.h"
#include "shell/dialogs/frm_transpose.h"
#include "shell/frm_about.h"
#include "shell/frm_help.h"
#include "x11/tab_cycle.h"
#include "x11/x_input.h"

namespace {
void ExpectEveryStopNamed(QWidget* window) {
  SCOPED_TRACE(window->windowTitle().toStdString());
  const std::vector<QWidget*> stops = TabCycle(window);
  EXPECT_FALSE(stops.empty());
  for (QWidget* stop : stops)
    EXPECT_FALSE(AccessibleName(stop).trimmed().isEmpty()) << "a focus stop without a name: " << Described(stop);
}

// Walks the message box, and again with its details shown where it has them; then closes it.
void ExpectEveryStopOfTheBoxNamed(QMessageBox* box) {
  ExpectEveryStopNamed(box);
  for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
    if (!button->text().startsWith(QStringLiteral("Show Details"))) continue;
    xinput::Click(button);
    EXPECT_TRUE(xinput::WaitUntil([box] {
      const auto* details = box->findChild<QTextEdit*>();
      return details && details->isVisible();
    })) << "the details did not show";
    ExpectEveryStopNamed(box);
  }
  box->done(0);
}
}  // namespace

using FocusNames = WindowFixture;

TEST_F(FocusNames, EveryStopOfTheMainWindowIsNamed) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(120, "the Tab cycles of the main window");
  for (bool panel : {false, true}) {
    SCOPED_TRACE(panel ? "settings shown" : "settings hidden");
    w->ToggleSettings(panel);
    ExpectEveryStopNamed(w);
  }
}

TEST_F(FocusNames, EveryStopOfEachDialogIsNamed) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(120, "the Tab cycles of the dialogs");
  ASSERT_TRUE(xinput::ShowActive(w));
  if (!App::Exists()) App::Register(std::make_unique<App>());  // the about box shows its version
  QString term, replacement;
  frmSearch search(term, w);
  frmReplace replace(term, replacement, w);
  frmTranspose transpose(QStringLiteral("G"), nullptr, w);
  PageSetupDialog pageSetup(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18)),
                            w);
  for (QDialog* dialog : std::initializer_list<QDialog*>{&search, &replace, &transpose, &pageSetup}) {
    ExpectEveryStopNamed(dialog);
    dialog->reject();
  }
  frmAbout* about = frmAbout::Instance();
  ExpectEveryStopNamed(about);
  about->close();
  frmHelp* help = frmHelp::Instance();
  ExpectEveryStopNamed(help);
  help->close();
}

TEST_F(FocusNames, EveryStopOfTheMessageBoxesIsNamed) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(120, "the Tab cycles of the message boxes");
  ASSERT_TRUE(xinput::ShowActive(w));
  QtDialogs qt;
  {
    ModalDriver<QMessageBox> driver(ExpectEveryStopOfTheBoxNamed);
    qt.MsgBox(QStringLiteral("The song could not be opened."));
    EXPECT_TRUE(driver.Answered());
  }
  {
    // Long enough to be cut, so that the box offers its details.
    ModalDriver<QMessageBox> driver(ExpectEveryStopOfTheBoxNamed);
    MessageDialogRequest request;
    request.Message = QStringLiteral("Save changes to the song before closing?");
    request.Explanation = QStringLiteral("A very long line of explanation. ").repeated(400);
    request.ActionButton = QStringLiteral("Save");
    request.AlternateButton = QStringLiteral("Don't Save");
    request.CancelButton = QStringLiteral("Cancel");
    qt.ShowMessageDialog(request);
    EXPECT_TRUE(driver.Answered());
  }
}
