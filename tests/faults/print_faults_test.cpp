// Printing to a PDF file on a full or failing disk: the print failure message with the system's
// reason, and no broken file at the target (an earlier file there stays as it was).
#include <QFile>

#include "faults/fault_env.h"
#include "mainwindow/window_fixture.h"

namespace {

class PrintFaults : public WindowFixture, public ::testing::WithParamInterface<Fault> {};

TEST_P(PrintFaults, LeaveNoBrokenFileAndSayWhy) {
  REQUIRE_FAULT_SHIM();
  static int serial = 0;
  const QString folder = FaultFolder(QStringLiteral("print-faults-%1").arg(++serial));
  const QString fresh = folder + QStringLiteral("/new.pdf"), earlier = folder + QStringLiteral("/earlier.pdf");
  {
    QFile f(earlier);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("an earlier print");
  }
  w->txtSong()->SetText(QStringLiteral("[G]one+++++two+++++three"));
  for (const QString& target : {fresh, earlier}) {
    SCOPED_TRACE(target.toStdString());
    dialogs.msgBoxes.clear();
    if (!w->myPrinterSetup()) dialogs.pageSetupAnswers = {QString()};
    dialogs.printerAnswers = {PrinterAnswer::ToPdf(target)};
    {
      FaultScope fault(folder, GetParam());
      EXPECT_FALSE(w->_mnuPrint_Action());
    }
    ASSERT_EQ(dialogs.msgBoxes.size(), 1);
    EXPECT_TRUE(dialogs.msgBoxes[0].contains(QStringLiteral("could not be completed")))
        << dialogs.msgBoxes[0].toStdString();
    EXPECT_TRUE(dialogs.msgBoxes[0].contains(GetParam().reason)) << dialogs.msgBoxes[0].toStdString();
  }
  EXPECT_FALSE(QFile::exists(fresh));
  QFile f(earlier);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "an earlier print");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"earlier.pdf"});
  // Without the fault the same print is written whole.
  dialogs.printerAnswers = {PrinterAnswer::ToPdf(fresh)};
  EXPECT_TRUE(w->_mnuPrint_Action());
  QFile printed(fresh);
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(printed.readAll().trimmed().endsWith("%%EOF"));
}

INSTANTIATE_TEST_SUITE_P(EveryCall, PrintFaults, ::testing::ValuesIn(kFaults));

}  // namespace
