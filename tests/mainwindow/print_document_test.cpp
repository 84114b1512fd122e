// What a print of the song is called: the job's name and the PDF's title are the song's title,
// and a print to a file is offered the name a save would suggest, with ".pdf", beside the song.
#include <QProcess>
#include <QRegularExpression>

#include "mainwindow/document_fixture.h"

using PrintDocumentTest = DocumentFixture;

TEST_F(PrintDocumentTest, NamedAfterTheSongAndOfferedBesideIt) {
  const FolderItem song = Write("hymn.hmnt", SongBytes("Amazing Grace", "la"));
  const QString home = SpecialFolder::Preferences().Path();
  const struct {
    bool withFile;
    QString title;
    QString jobName;
    QString pdfPath;
  } cases[] = {
      {true, "Amazing Grace", "Amazing Grace", folder + "/Amazing Grace.pdf"},
      {true, "  AC/DC: Live  ", "AC/DC: Live", folder + "/AC-DC Live.pdf"},
      {false, "Amazing Grace", "Amazing Grace", home + "/Amazing Grace.pdf"},
      {false, "   ", "Untitled", home + "/Saved Song.pdf"},
  };
  for (const auto& c : cases) {
    w->Modified(false);
    if (c.withFile)
      OpenSong(song);
    else
      w->_mnuNew_Action();
    ASSERT_EQ(w->myFile().has_value(), c.withFile);
    w->txtTitle()->SetText(c.title);
    dialogs.pageSetupAnswers = {QString()};
    dialogs.printerAnswers = {PrinterAnswer::Cancelled()};
    EXPECT_FALSE(w->_mnuPrint_Action());
    ASSERT_FALSE(dialogs.printDocuments.empty());
    EXPECT_EQ(dialogs.printDocuments.back().title.toStdString(), c.jobName.toStdString());
    EXPECT_EQ(dialogs.printDocuments.back().pdfPath.toStdString(), c.pdfPath.toStdString());
  }
}

TEST_F(PrintDocumentTest, ThePdfIsTitledWithTheSong) {
  const QString pdf = folder + "/printed.pdf";
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace");
  dialogs.pageSetupAnswers = {QString()};
  dialogs.printerAnswers = {PrinterAnswer::ToPdf(pdf)};
  ASSERT_TRUE(w->_mnuPrint_Action()) << dialogs.msgBoxes.join(" | ").toStdString();
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished(30000));
  const QString text = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(text.contains(QRegularExpression("Title:\\s+Amazing Grace\\n"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("Creator:\\s+\\S"))) << text.toStdString();
}
