#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <QProcess>
#include <QPushButton>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QApplication>

#include "platform/core/errors.h"
#include "support/doubles/recording_graphics.h"
#include "platform/desktop/page_setup_dialog.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/print_loop.h"
#include "platform/desktop/printer_setup.h"
#include "support/doubles/scripted_dialogs.h"
#include "support/test_env.h"

namespace {
// Runs a poppler tool and returns its output; empty when it cannot run.
QString runTool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& info) {
  QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}
}  // namespace

TEST(PrintCopies, EveryPageForEachCopyWithOneNewPageBetween) {
  struct Case {
    int copies, pages;
    std::vector<int> rendered;
    int newPages;
  } cases[] = {
      {2, 3, {1, 2, 3, 1, 2, 3}, 5},
      {1, 1, {1}, 0},
      {3, 1, {1, 1, 1}, 2},
      {1, 0, {1}, 0},  // an empty song is one page
      {0, 3, {}, 0},
  };
  for (const Case& c : cases) {
    RecordingGraphics g;
    std::vector<int> rendered;
    std::vector<int> pageOfRender;  // the device page each render landed on
    EXPECT_TRUE(PrintCopies(g, c.copies, c.pages, [&](Graphics& page, int n) {
      EXPECT_EQ(&page, &g);
      rendered.push_back(n);
      pageOfRender.push_back(g.Pages());
    }));
    EXPECT_EQ(rendered, c.rendered) << c.copies << "x" << c.pages;
    EXPECT_EQ(g.Pages() - 1, c.newPages) << c.copies << "x" << c.pages;
    // No two renders share a device page, and none is left blank.
    for (size_t i = 0; i < pageOfRender.size(); ++i) EXPECT_EQ(pageOfRender[i], int(i) + 1);
  }
}

TEST(PrintCopies, StopsAtARefusedNewPage) {
  RecordingGraphics g;
  g.FailNextPageAt(2);
  std::vector<int> rendered;
  EXPECT_FALSE(PrintCopies(g, 2, 3, [&](Graphics&, int n) { rendered.push_back(n); }));
  EXPECT_EQ(rendered, (std::vector<int>{1, 2}));
}

TEST(PrinterSetup, DefaultIsLetterWithQuarterInchMargins) {
  PrinterSetup s;
  EXPECT_EQ(s.PageWidth(), 576);
  EXPECT_EQ(s.PageHeight(), 756);
  EXPECT_EQ(s.SetupString(), "paper=Letter;width=612;height=792;orientation=portrait;margins=18,18,18,18");
}

TEST(PrinterSetup, SetupStringRoundTripsAndRefusesGarbage) {
  PrinterSetup a4;
  ASSERT_TRUE(a4.SetSetupString("paper=A4;width=595;height=842;orientation=landscape;margins=36,18,36,18"));
  EXPECT_EQ(a4.PageLayout().pageSize().id(), QPageSize::A4);
  EXPECT_EQ(a4.PageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(a4.PageWidth(), 842 - 72);
  EXPECT_EQ(a4.PageHeight(), 595 - 36);
  PrinterSetup copy;
  ASSERT_TRUE(copy.SetSetupString(a4.SetupString()));
  EXPECT_EQ(copy.SetupString(), a4.SetupString());

  PrinterSetup custom;
  ASSERT_TRUE(custom.SetSetupString("paper=Odd;width=300;height=400;orientation=portrait;margins=0,0,0,0"));
  EXPECT_EQ(custom.PageWidth(), 300);
  EXPECT_EQ(custom.PageHeight(), 400);

  const char* garbage[] = {
      "",
      "nonsense",
      "paper=Letter;width=612;height=792;orientation=sideways;margins=18,18,18,18",
      "paper=Letter;width=612;height=792;orientation=portrait;margins=18,18,18",
      "paper=Letter;width=-5;height=792;orientation=portrait;margins=18,18,18,18",
      "paper=Letter;width=612;height=792;orientation=portrait;margins=18,x,18,18",
      "paper=Letter;width=612;height=792;orientation=portrait;margins=300,18,400,18",  // no area left
  };
  for (const char* g : garbage) {
    PrinterSetup s;
    EXPECT_FALSE(s.SetSetupString(QString::fromLatin1(g))) << g;
    EXPECT_EQ(s.PageWidth(), 576) << g;
    EXPECT_EQ(s.PageHeight(), 756) << g;
  }
}

TEST(PrinterPrintJob, WritesAPdfOfLetterPagesDrawnInsideTheMargins) {
  const QString path = TestRoot() + "/job.pdf";
  PrinterSetup setup;
  auto job = PrinterPrintJob::ForPdf(setup, path, 2);
  EXPECT_EQ(job->Copies(), 2);
  ASSERT_TRUE(job->Begin()) << job->ErrorText().toStdString();
  Graphics& g = job->Page();
  EXPECT_EQ(g.Width(), 576);
  EXPECT_EQ(g.Height(), 756);
  g.TextSize(20);
  g.DrawString("Alpha", 0, 20);
  ASSERT_TRUE(g.NextPage());
  g.DrawString("Beta", 100, 40);
  ASSERT_TRUE(job->Finish()) << job->ErrorText().toStdString();

  const QString info = runTool("pdfinfo", {path});
  ASSERT_FALSE(info.isEmpty()) << "pdfinfo failed";
  EXPECT_EQ(pdfPages(info), 2);
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts"))) << info.toStdString();

  // The drawing's origin is the printable area's corner, a quarter inch in from the paper's.
  const QString bbox = runTool("pdftotext", {"-bbox", path, "-"});
  QRegularExpressionMatch m =
      QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Beta<)re").match(bbox);
  ASSERT_TRUE(m.hasMatch()) << bbox.toStdString();
  EXPECT_NEAR(m.captured(1).toDouble(), 18 + 100, 1.0);
  EXPECT_GT(m.captured(3).toDouble(), 18 + 40 - 1);  // the baseline sits just above the box's bottom
  EXPECT_LT(m.captured(2).toDouble(), 18 + 40);
}

TEST(PrinterPrintJob, AFileThatCannotBeWrittenFailsToBeginAndSaysWhere) {
  const QString path = TestRoot() + "/no/such/folder/job.pdf";
  auto job = PrinterPrintJob::ForPdf(PrinterSetup(), path, 1);
  EXPECT_FALSE(job->Begin());
  EXPECT_TRUE(job->ErrorText().contains(path)) << job->ErrorText().toStdString();
  EXPECT_THROW(job->Page(), NilObjectException);
  EXPECT_FALSE(QFile::exists(path));
}

TEST(PrinterPrintJob, AFailureNamesTheFileAsText) {
  const QString path = TestRoot() + "/no such folder/<h1>x</h1>\n.pdf";
  auto job = PrinterPrintJob::ForPdf(PrinterSetup(), path, 1);
  EXPECT_FALSE(job->Begin());
  EXPECT_TRUE(job->ErrorText().contains(TestRoot() + "/no such folder/<h1>x</h1>\\x0A.pdf\""))
      << job->ErrorText().toStdString();
  EXPECT_FALSE(job->ErrorText().contains("\n.pdf"));
}

TEST(PrinterPrintJob, AnOutputThatIsNotARegularFileIsRefusedBeforeAnythingOpensIt) {
  const QString folder = TestRoot() + "/not-regular";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString pipe = folder + "/pipe.pdf";
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(pipe, folder + "/link.pdf"));
  ASSERT_TRUE(QFile::link("/dev/null", folder + "/device.pdf"));
  const struct {
    QString path, refusal;
  } cases[] = {
      {pipe, "\"pipe.pdf\" is not a regular file."},
      {folder + "/link.pdf", "\"link.pdf\" is not a regular file."},
      {folder + "/device.pdf", "\"device.pdf\" is not a regular file."},
  };
  for (const auto& c : cases) {
    auto job = PrinterPrintJob::ForPdf(PrinterSetup(), c.path, 1);
    EXPECT_FALSE(job->Begin());
    EXPECT_EQ(job->ErrorText(), c.refusal);
    EXPECT_TRUE(job->Finish() == false);
  }
  QFileInfo info(pipe);
  EXPECT_FALSE(info.isFile());  // still the pipe
  EXPECT_EQ(RefusedOutputFile(folder + "/new.pdf"), std::nullopt);
}

TEST(ScriptedPrinting, AnswersFromItsQueuesAndRecordsTheSetups) {
  ScriptedDialogs d;
  PrinterSetup setup;
  d.pageSetupAnswers = {std::nullopt, QString("paper=A4;width=595;height=842;orientation=portrait;margins=0,0,0,0")};
  EXPECT_FALSE(Dialogs::Current().ShowPageSetup(setup));
  EXPECT_EQ(setup.PageWidth(), 576);
  EXPECT_TRUE(Dialogs::Current().ShowPageSetup(setup));
  EXPECT_EQ(setup.PageWidth(), 595);
  EXPECT_FALSE(Dialogs::Current().ShowPageSetup(setup));  // nothing queued: cancel
  ASSERT_EQ(d.pageSetups.size(), 3u);
  EXPECT_EQ(d.pageSetups[0].PageWidth(), 576);

  auto recording = std::make_shared<RecordingGraphics>();
  d.printerAnswers = {PrinterAnswer::Cancelled(), PrinterAnswer::Recorded(recording, 3)};
  EXPECT_EQ(Dialogs::Current().ShowPrinterDialog(setup, {}), nullptr);
  auto job = Dialogs::Current().ShowPrinterDialog(setup, {"Song", ""});
  ASSERT_NE(job, nullptr);
  EXPECT_EQ(job->Copies(), 3);
  ASSERT_TRUE(job->Begin());
  EXPECT_EQ(&job->Page(), recording.get());
  EXPECT_EQ(Dialogs::Current().ShowPrinterDialog(setup, {}), nullptr);
  EXPECT_EQ(d.printerSetups.size(), 3u);
  ASSERT_EQ(d.printDocuments.size(), 3u);
  EXPECT_EQ(d.printDocuments[1].title, "Song");
}

TEST(PageSetupDialog, StandsInWhenThereIsNoRealPrinter) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a real printer is installed";
  struct Case {
    bool accept;
    bool expected;
    int width, height;
  } cases[] = {{true, true, 792 - 36, 612 - 36}, {false, false, 576, 756}};
  for (const Case& c : cases) {
    PrinterSetup setup;
    bool sawOurDialog = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<PageSetupDialog*>(QApplication::activeModalWidget());
      if (!dlg) return;
      sawOurDialog = true;
      dlg->OrientationBox()->setCurrentIndex(1);  // landscape
      if (c.accept)
        dlg->accept();
      else
        dlg->reject();
    });
    QtDialogs qt;
    EXPECT_EQ(qt.ShowPageSetup(setup), c.expected);
    EXPECT_TRUE(sawOurDialog);
    EXPECT_EQ(setup.PageWidth(), c.width);
    EXPECT_EQ(setup.PageHeight(), c.height);
  }
}

TEST(PageSetupDialog, StartsFromTheSetupAndRefusesMarginsThatLeaveNoPage) {
  PrinterSetup start;
  ASSERT_TRUE(start.SetSetupString("paper=A4;width=595;height=842;orientation=landscape;margins=36,36,36,36"));
  PageSetupDialog dlg(start.PageLayout());
  EXPECT_EQ(dlg.PaperBox()->currentText(), QPageSize(QPageSize::A4).name());
  EXPECT_EQ(dlg.OrientationBox()->currentIndex(), 1);
  EXPECT_DOUBLE_EQ(dlg.MarginBox(PageSetupDialog::Left)->value(), 0.5);
  PrinterSetup back;
  back.SetPageLayout(dlg.PageLayout());
  EXPECT_EQ(back.SetupString(), start.SetupString());

  EXPECT_TRUE(dlg.OkButton()->isEnabled());
  dlg.MarginBox(PageSetupDialog::Left)->setValue(4.5);
  dlg.MarginBox(PageSetupDialog::Right)->setValue(4.5);  // 9 inches of margin across 11.7
  EXPECT_TRUE(dlg.OkButton()->isEnabled());
  dlg.MarginBox(PageSetupDialog::Top)->setValue(4.5);
  dlg.MarginBox(PageSetupDialog::Bottom)->setValue(4.5);  // 9 inches down 8.3
  EXPECT_FALSE(dlg.OkButton()->isEnabled());
}
