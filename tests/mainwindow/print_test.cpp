// Page Setup and Print: the page setup kept for the run, every page for each copy onto the
// printer's page graphics, cancels and failures, and a real PDF.
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/controls/text_area.h"
#include "platform/desktop/controls/text_field.h"
#include "platform/desktop/printer_setup.h"
#include "window_fixture.h"

namespace {
const char* const kA4 = "paper=A4;width=595;height=842;orientation=portrait;margins=18,18,18,18";

// The page labels drawn on each printed page, in order, split at the new pages.
std::vector<QString> LabelsPerPage(const RecordingGraphics& g) {
  std::vector<QString> pages(1);
  for (const auto& op : g.Ops()) {
    if (op.kind == RecordingGraphics::Op::NewPage)
      pages.emplace_back();
    else if (op.kind == RecordingGraphics::Op::String && op.text.startsWith("Page: "))
      pages.back() = op.text;
  }
  return pages;
}

int NewPages(const RecordingGraphics& g) {
  int n = 0;
  for (const auto& op : g.Ops()) n += op.kind == RecordingGraphics::Op::NewPage;
  return n;
}

QString RunTool(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

class Printing : public WindowFixture {
 protected:
  // A print through a recording page graphics, with a page setup accepted first when none is kept.
  std::shared_ptr<RecordingGraphics> PrintRecorded(int copies) {
    auto g = std::make_shared<RecordingGraphics>();
    if (!w->myPrinterSetup()) dialogs.pageSetupAnswers.push_back(QString());
    dialogs.printerAnswers.push_back(PrinterAnswer::Recorded(g, copies));
    EXPECT_TRUE(w->_mnuPrint_Action());
    return g;
  }
};

TEST_F(Printing, EveryPageForEachCopyCollatedWithNoBlankPage) {
  struct Case {
    const char* song;
    int copies;
    std::vector<QString> labels;  // per printed page; "" for a page without a label
  } cases[] = {
      {"one+++++two+++++three", 2, {"Page: 1/3", "Page: 2/3", "Page: 3/3", "Page: 1/3", "Page: 2/3", "Page: 3/3"}},
      {"no marker", 3, {"", "", ""}},
      {"", 1, {""}},
      {"ends with a marker+++++", 1, {"Page: 1/2", "Page: 2/2"}},
  };
  for (const Case& c : cases) {
    w->txtTitle()->SetText("Song");
    w->txtSong()->SetText(c.song);
    w->Modified(false);
    auto g = PrintRecorded(c.copies);
    EXPECT_EQ(LabelsPerPage(*g), c.labels) << c.song;
    EXPECT_EQ(NewPages(*g), int(c.labels.size()) - 1) << c.song;
    int titles = 0;
    for (const auto& op : g->Strings()) titles += op.text == "Song";
    EXPECT_EQ(titles, int(c.labels.size())) << c.song;  // every page, the empty last one too
    EXPECT_EQ(w->myDPI(), 72.0);
    EXPECT_FALSE(w->Modified()) << "printing changes nothing a save would write";
  }
}

TEST_F(Printing, PagesAreDrawnAtScaleOneOnThePrintersPage) {
  w->txtTitle()->SetText("Song");
  w->txtSong()->SetText("[G]Amazing");
  auto g = PrintRecorded(1);
  ASSERT_FALSE(g->Strings().empty());
  const auto title = g->Strings().front();
  EXPECT_EQ(title.text, "Song");
  EXPECT_DOUBLE_EQ(title.x, 10);
  EXPECT_DOUBLE_EQ(title.y, 18);
  EXPECT_DOUBLE_EQ(title.size, 16);
  ASSERT_EQ(dialogs.printerSetups.size(), 1u);
  EXPECT_EQ(dialogs.printerSetups[0].MaxHorizontalResolution, 96);
  EXPECT_EQ(dialogs.printerSetups[0].MaxVerticalResolution, 96);
}

TEST_F(Printing, TheFirstPrintAsksForAPageSetupOnceAndCancelsPrintNothing) {
  w->txtSong()->SetText("la la");
  w->Modified(false);
  const auto preview = w->pImage();

  dialogs.pageSetupAnswers = {std::nullopt};  // the first page setup cancelled
  EXPECT_FALSE(w->_mnuPrint_Action());
  EXPECT_EQ(w->myPrinterSetup(), nullptr);
  EXPECT_TRUE(dialogs.printerSetups.empty());

  dialogs.pageSetupAnswers = {QString(kA4)};
  dialogs.printerAnswers = {PrinterAnswer::Cancelled()};  // asked again, then the printer dialog cancelled
  EXPECT_FALSE(w->_mnuPrint_Action());
  ASSERT_NE(w->myPrinterSetup(), nullptr);
  EXPECT_EQ(w->myPrinterSetup()->SetupString(), kA4);
  EXPECT_EQ(dialogs.pageSetups.size(), 2u);
  EXPECT_EQ(dialogs.printerSetups.size(), 1u);
  EXPECT_FALSE(w->Modified());
  EXPECT_EQ(w->pImage(), preview);  // no redraw

  PrintRecorded(1);  // straight to the printer dialog now
  EXPECT_EQ(dialogs.pageSetups.size(), 2u);
  EXPECT_EQ(dialogs.printerSetups.back().SetupString(), kA4);
}

TEST_F(Printing, PageSetupStartsFromTheDefaultsAndACancelKeepsTheEarlierSetup) {
  const QString defaults = PrinterSetup().SetupString();
  dialogs.pageSetupAnswers = {QString(kA4), std::nullopt};
  EXPECT_TRUE(w->_mnuPageSetup_Action());
  ASSERT_NE(w->myPrinterSetup(), nullptr);
  const auto kept = w->myPrinterSetup();
  EXPECT_FALSE(w->_mnuPageSetup_Action());
  EXPECT_EQ(w->myPrinterSetup(), kept);
  EXPECT_EQ(w->myPrinterSetup()->SetupString(), kA4);
  ASSERT_EQ(dialogs.pageSetups.size(), 2u);
  EXPECT_EQ(dialogs.pageSetups[0].SetupString(), defaults);
  EXPECT_EQ(dialogs.pageSetups[1].SetupString(), defaults);
}

TEST_F(Printing, APrintThatCannotStartOrFinishSaysSoAndIsNotReportedDone) {
  w->txtSong()->SetText("one+++++two+++++three");
  const QString unwritable = TestRoot() + "/no/such/folder/song.pdf";
  struct Case {
    PrinterAnswer answer;
    QString message;  // a part of the message shown
  } cases[] = {
      {PrinterAnswer::ToPdf(unwritable), unwritable},
      {PrinterAnswer::Recorded(std::make_shared<RecordingGraphics>(), 1, /*failBegin=*/true), "could not start"},
      {PrinterAnswer::Recorded(std::make_shared<RecordingGraphics>(), 2), "new page"},
  };
  cases[2].answer.recording->FailNextPageAt(3);
  w->State().SetPage(2);
  w->setPageLabel();
  for (const Case& c : cases) {
    w->Modified(false);
    dialogs.msgBoxes.clear();
    dialogs.pageSetupAnswers = {QString()};
    dialogs.printerAnswers = {c.answer};
    EXPECT_FALSE(w->_mnuPrint_Action()) << c.message.toStdString();
    ASSERT_EQ(dialogs.msgBoxes.size(), 1) << c.message.toStdString();
    EXPECT_TRUE(dialogs.msgBoxes[0].contains(c.message)) << dialogs.msgBoxes[0].toStdString();
    EXPECT_FALSE(w->Modified());
    EXPECT_EQ(w->myDPI(), 72.0);
    // The window still shows the page it showed before printing.
    EXPECT_EQ(w->CurrentPageNumber(), 2);
    EXPECT_EQ(w->lblPage()->text(), "Page: 2");
  }
  EXPECT_EQ(cases[2].answer.recording->Pages(), 3);  // it stopped at the refused page
}

TEST_F(Printing, APdfShowsThePreviewsPagesOnLetterPaper) {
  const QString pdf = TestRoot() + "/printed.pdf";
  w->txtTitle()->SetText("Amazing Grace");
  w->txtKey()->SetText("G");
  w->txtSong()->SetText("[G]Amazing grace+++++how sweet the sound+++++that saved");
  dialogs.pageSetupAnswers = {QString()};
  dialogs.printerAnswers = {PrinterAnswer::ToPdf(pdf, 2)};
  ASSERT_TRUE(w->_mnuPrint_Action()) << dialogs.msgBoxes.join("; ").toStdString();

  const QString info = RunTool("pdfinfo", {pdf});
  ASSERT_FALSE(info.isEmpty()) << "pdfinfo could not read the file";
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\b"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts"))) << info.toStdString();

  // The title where the preview has it (left edge 10, baseline 18), a quarter inch in from the
  // paper's corner on every page.
  const QString boxes = RunTool("pdftotext", {"-bbox", pdf, "-"});
  static const QRegularExpression titleBox(
      R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Amazing</word>\s*<word[^>]*>Grace<)re");
  int titles = 0;
  for (auto it = titleBox.globalMatch(boxes); it.hasNext(); ++titles) {
    const auto m = it.next();
    EXPECT_NEAR(m.captured(1).toDouble(), 18 + 10, 1.0);
    EXPECT_LT(m.captured(2).toDouble(), 18 + 18);  // the baseline lies inside the word's box,
    EXPECT_GT(m.captured(3).toDouble(), 18 + 18);  // near its bottom
    EXPECT_LT(m.captured(3).toDouble(), 18 + 18 + 6);
  }
  EXPECT_EQ(titles, 6) << boxes.toStdString();
  EXPECT_EQ(boxes.count("<word"), RunTool("pdftotext", {"-bbox", "-f", "1", "-l", "3", pdf, "-"}).count("<word") * 2);
}

TEST_F(Printing, NothingIsPrintedInThePapersMargins) {
  // A line far past the right edge, then lines with chords and fret values that run on past the
  // bottom: those just below the edge still rise into the sheet and are drawn.
  QString song = QString("la ").repeated(200) + "\r";
  for (int i = 0; i < 40; ++i) song += "[G!3!2!0]Amazing [D!0!2!3]grace how sweet\r";
  w->txtSong()->SetText(song);
  const QString pdf = TestRoot() + "/margins.pdf";
  dialogs.pageSetupAnswers = {QString()};
  dialogs.printerAnswers = {PrinterAnswer::ToPdf(pdf, 1)};
  ASSERT_TRUE(w->_mnuPrint_Action()) << dialogs.msgBoxes.join("; ").toStdString();

  // At 144 dots per inch the letter page is 1224 by 1584 and its printable area, a quarter inch
  // in, runs from 36 to 1188 across and from 36 to 1548 down.
  QProcess p;
  p.start("pdftoppm", {"-r", "144", "-png", "-singlefile", pdf, TestRoot() + "/margins"});
  ASSERT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0) << "pdftoppm could not rasterise the PDF";
  const QImage page(TestRoot() + "/margins.png");
  ASSERT_EQ(page.size(), QSize(1224, 1584));
  const QRect area(36, 36, 1152, 1512);
  int outside = 0, nearRight = 0, nearBottom = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) > 250) continue;
      if (!area.contains(x, y))
        ++outside;
      else if (x >= area.right() - 4)
        ++nearRight;
      else if (y >= area.bottom() - 4)
        ++nearBottom;
    }
  }
  EXPECT_EQ(outside, 0);
  // The sheet's own ink runs up to the area's edges, so the margins were within reach.
  EXPECT_GT(nearRight, 0);
  EXPECT_GT(nearBottom, 0);
}
