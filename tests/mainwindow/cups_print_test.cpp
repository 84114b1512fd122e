// Printing on a real CUPS queue (a cups-pdf printer) of a private print server: the page layout
// kept from Page Setup survives the print dialog (the queue's own default paper is A4), the job
// goes to the queue named after the song on the kept paper, and a queue that does not accept jobs
// is reported as a failed print.
//
// The server is a cupsd of the test's own, on a free local port with a configuration folder of
// its own; it is stopped at the end. A process picks its print server once, so the printing runs
// in a child run of this executable (CupsQueueChild, which skips itself in any other run). Where
// cupsd or cups-pdf is not installed, the test is skipped.
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/desktop/print_dialog.h"
#include "platform/desktop/print_job.h"
#include "platform/desktop/printer_setup.h"
#include "support/child_run.h"
#include "window_fixture.h"

namespace {
const char* const kQueueVariable = "HARMONOTE_CUPS_QUEUE";
const char* const kSpoolVariable = "HARMONOTE_CUPS_SPOOL";
const QString kQueue = QStringLiteral("songs");

QString FindTool(const QString& name) {
  const QString found = QStandardPaths::findExecutable(name);
  return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/bin"}) : found;
}

// Runs a CUPS tool against server (never longer than 20 seconds); its output, or nullopt when it failed.
std::optional<QString> Tool(const QString& tool, const QStringList& arguments, const QString& server) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  if (!server.isEmpty()) env.insert("CUPS_SERVER", server);
  p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(FindTool(tool), arguments);
  if (!p.waitForFinished(20000)) {
    p.kill();
    p.waitForFinished(5000);
    return std::nullopt;
  }
  const QString out = QString::fromLocal8Bit(p.readAll());
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return std::nullopt;
  return out;
}

int FreeLocalPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  ::close(fd);
  return port;
}

// What the private server needs: cupsd, the client tools, and cups-pdf's backend and driver.
struct CupsPdf {
  QString cupsd, serverBin, ppd;
  QString missing;  // what is not installed; "" when everything is
};

CupsPdf FindCupsPdf() {
  CupsPdf c;
  c.cupsd = FindTool("cupsd");
  for (const char* bin : {"/usr/lib/cups", "/usr/libexec/cups"})
    if (QFile::exists(QString(bin) + "/backend/cups-pdf")) c.serverBin = bin;
  for (const char* ppd : {"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd",
                          "/usr/share/cups/model/CUPS-PDF_opt.ppd"})
    if (c.ppd.isEmpty() && QFile::exists(ppd)) c.ppd = ppd;
  QStringList missing;
  if (c.cupsd.isEmpty()) missing << "cupsd";
  for (const char* tool : {"lpadmin", "lpstat", "cupsdisable", "cupsreject"})
    if (FindTool(tool).isEmpty()) missing << tool;
  if (c.serverBin.isEmpty()) missing << "the cups-pdf backend";
  if (c.ppd.isEmpty()) missing << "the cups-pdf driver (PPD)";
  c.missing = missing.join(", ");
  return c;
}

// A cupsd with its own configuration, spool, state and logs in a temporary folder, listening on
// a free local port; stopped when it goes.
class PrivateCupsServer {
 public:
  explicit PrivateCupsServer(const CupsPdf& cups) : cups_(cups) {}
  ~PrivateCupsServer() { Stop(); }

  // Starts the server and waits until it answers; "" or why it did not. A port found free may be
  // taken by someone else before the server binds it, so three ports are tried, 15 seconds each.
  QString Start() {
    QString why;
    for (int attempt = 0; attempt < 3; ++attempt) {
      why = StartOnce();
      if (why.isEmpty()) return {};
      Stop();
    }
    return why;
  }

  // Adds the cups-pdf queue as the default printer  // Adds the cups-pdf queue as the default printer, holding its jobs
  // (it takes them but prints nothing, so every job stays in the spool folder to be looked at).
  QString AddHeldQueue() {
    const QString device = ::getuid() == 0 ? "cups-pdf:/" : "file:///dev/null";
    if (!Tool("lpadmin", {"-p", kQueue, "-E", "-v", device, "-P", cups_.ppd}, server_))
      return "lpadmin could not add the queue: " + Log();
    if (!Tool("lpadmin", {"-d", kQueue}, server_)) return "lpadmin could not make the queue the default";
    if (!Tool("cupsdisable", {kQueue}, server_)) return "cupsdisable failed";
    return {};
  }

  QString Server() const { return server_; }
  QString Spool() const { return dir_.path() + "/spool"; }
  QString Log() const {
    QFile f(dir_.path() + "/log/error_log");
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(4000)) : QString("(no log)");
  }

 private:
  QString StartOnce() {
    const QString root = dir_.path();
    for (const char* sub : {"conf", "spool/tmp", "cache", "state", "log"}) QDir().mkpath(root + "/" + sub);
    const int port = FreeLocalPort();
    if (port == 0) return "no free local port";
    server_ = QString("127.0.0.1:%1").arg(port);
    const passwd* user = ::getpwuid(::getuid());
    const group* grp = ::getgrgid(::getgid());
    QString files = QString(
                        "ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                        "StateDir %1/state\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                        "PageLog %1/log/page_log\nServerBin %2\nSystemGroup %3\n")
                        .arg(root, cups_.serverBin, grp ? grp->gr_name : "root");
    // Not run by root, the server cannot use cups-pdf's backend (only root may run it); it may
    // send jobs to a file instead, which a held queue never does anyway.
    if (::getuid() != 0 && user) files += QString("User %1\nFileDevice Yes\n").arg(user->pw_name);
    const QString conf = QString(
                             "LogLevel info\nListen %1\nBrowsing No\nDefaultAuthType None\nWebInterface No\n"
                             "DirtyCleanInterval 0\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                             .arg(server_);
    if (!Write(root + "/conf/cups-files.conf", files) || !Write(root + "/conf/cupsd.conf", conf))
      return "the configuration could not be written";
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(cups_.cupsd, {"-f", "-c", root + "/conf/cupsd.conf", "-s", root + "/conf/cups-files.conf"});
    if (!process_.waitForStarted(10000)) return "cupsd did not start: " + process_.errorString();
    for (int i = 0; i < 150; ++i) {
      if (process_.state() == QProcess::NotRunning) return "cupsd stopped: " + Log();
      const auto answer = Tool("lpstat", {"-r"}, server_);
      if (answer && answer->contains("scheduler is running")) return {};
      QTest::qWait(100);
    }
    return "cupsd did not answer on " + server_ + ": " + Log();
  }

  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }

  static bool Write(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
  }

  CupsPdf cups_;
  QTemporaryDir dir_;
  QString server_;
  QProcess process_;
};

QString ChildQueue() { return qEnvironmentVariable(kQueueVariable); }

// Skips a child test outside the run that CupsQueue makes for it.
#define REQUIRE_CUPS_CHILD()                    \
  if (!IsTestChild() || ChildQueue().isEmpty()) \
  GTEST_SKIP() << "part of CupsQueue.PrintsOnAQueueOfAPrivateServer, which runs it with its server"

// The job files in the spool: its control files (c00001) and documents (d00001-001).
QStringList SpoolFiles(const QString& prefix) {
  return QDir(qEnvironmentVariable(kSpoolVariable)).entryList({prefix + "*"}, QDir::Files, QDir::Name);
}

// The job-name attribute in a job's control file (IPP: tag 0x42, the name's length and name, the
// value's length and value).
QString JobName(const QString& controlFile) {
  QFile f(controlFile);
  if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
  const QByteArray bytes = f.readAll();
  const QByteArray key("\x42\x00\x08job-name", 11);
  const qsizetype at = bytes.indexOf(key);
  if (at < 0 || at + 13 > bytes.size()) return "<no job-name>";
  const int length = (uchar(bytes[at + 11]) << 8) | uchar(bytes[at + 12]);
  return QString::fromUtf8(bytes.mid(at + 13, length));
}

QString PdfInfo(const QString& path) {
  QProcess p;
  p.start("pdfinfo", {path});
  if (!p.waitForFinished(30000)) {
    p.kill();
    p.waitForFinished(5000);
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Closes every dialog still open after a while, so that a dialog that did not come up as
// expected can never keep a nested event loop waiting.
class Watchdog {
 public:
  Watchdog() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      while (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    timer_.start(15000);
  }

 private:
  QTimer timer_;
};
}  // namespace

TEST(CupsQueue, PrintsOnAQueueOfAPrivateServer) {
  const CupsPdf cups = FindCupsPdf();
  if (!cups.missing.isEmpty())
    GTEST_SKIP() << "CUPS printing is not tried: not installed here: " << cups.missing.toStdString()
                 << " (apt-get install cups cups-pdf)";
  PrivateCupsServer server(cups);
  const QString started = server.Start();
  ASSERT_TRUE(started.isEmpty()) << started.toStdString();
  const QString added = server.AddHeldQueue();
  ASSERT_TRUE(added.isEmpty()) << added.toStdString();

  QProcessEnvironment env;
  env.insert("CUPS_SERVER", server.Server());
  env.insert(kQueueVariable, kQueue);
  env.insert(kSpoolVariable, server.Spool());
  const ChildRun run = RunTestsInChild("CupsQueueChild.*", env, 180000);
  EXPECT_TRUE(run.finished) << "the child run took too long and was stopped\n" << run.output.toStdString();
  EXPECT_EQ(run.status, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains("[  PASSED  ] 3 tests.")) << run.output.toStdString();
  EXPECT_FALSE(run.output.contains("SKIPPED")) << run.output.toStdString();
}

class CupsQueueChild : public WindowFixture {};

// The print dialog on the queue, for a kept layout, accepted directly, after the printer's
// properties were accepted as shown, after they were cancelled, and after the user chose another
// paper there.
TEST_F(CupsQueueChild, ThePrintDialogKeepsTheKeptPageLayoutUnlessTheUserChangesIt) {
  REQUIRE_CUPS_CHILD();
  ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(kQueue))
      << QPrinterInfo::availablePrinterNames().join(",").toStdString();
  // Qt's dialog would give the printer this paper: the test only means something where it is
  // not the kept one.
  ASSERT_FALSE(QPrinterInfo::printerInfo(kQueue).defaultPageSize().isEquivalentTo(QPageSize(QPageSize::Letter)));

  enum Way { Accept, PropertiesAccepted, PropertiesCancelled, PropertiesA5 };
  const char* const setups[] = {"paper=Letter;width=612;height=792;orientation=portrait;margins=18,18,18,18",
                                "paper=Legal;width=612;height=1008;orientation=landscape;margins=36,18,36,18"};
  for (const char* setupString : setups) {
    for (Way way : {Accept, PropertiesAccepted, PropertiesCancelled, PropertiesA5}) {
      SCOPED_TRACE(std::string(setupString) + ", way " + std::to_string(way));
      PrinterSetup setup;
      ASSERT_TRUE(setup.SetSetupString(setupString));
      const PrintDocument document{"Amazing Grace", QDir::homePath() + "/Amazing Grace.pdf"};
      auto printer = PrinterPrintJob::NewPrinter(setup, document);
      EXPECT_EQ(printer->printerName(), kQueue);
      EXPECT_EQ(printer->outputFormat(), QPrinter::NativeFormat);
      PrintDialog dlg(printer.get(), setup.PageLayout());
      dlg.show();
      auto* range = dlg.findChild<QGroupBox*>("gbPrintRange");
      ASSERT_TRUE(range);
      EXPECT_TRUE(range->isHidden());
      auto* file = dlg.findChild<QLineEdit*>("filename");
      ASSERT_TRUE(file);
      EXPECT_EQ(file->text(), document.pdfPath);

      QPageSize shownPaper;
      if (way != Accept) {
        Watchdog watchdog;
        QTimer::singleShot(0, [&] {
          auto* properties = qobject_cast<QDialog*>(QApplication::activeModalWidget());
          auto* paper = properties ? properties->findChild<QComboBox*>("pageSizeCombo") : nullptr;
          if (!paper) return;
          shownPaper = qvariant_cast<QPageSize>(paper->currentData());
          if (way == PropertiesA5)
            for (int i = 0; i < paper->count(); ++i)
              if (qvariant_cast<QPageSize>(paper->itemData(i)).id() == QPageSize::A5) paper->setCurrentIndex(i);
          if (way == PropertiesCancelled)
            properties->reject();
          else
            properties->accept();
        });
        auto* button = dlg.findChild<QPushButton*>("properties");
        ASSERT_TRUE(button);
        button->click();
        // The properties show the kept paper.
        EXPECT_TRUE(shownPaper.isEquivalentTo(setup.PageLayout().pageSize())) << shownPaper.name().toStdString();
      }
      dlg.accept();

      const QPageLayout printed = printer->pageLayout();
      const QPageLayout expected = setup.PageLayout();
      if (way == PropertiesA5) {
        EXPECT_EQ(printed.pageSize().id(), QPageSize::A5);
      } else {
        EXPECT_TRUE(printed.pageSize().isEquivalentTo(expected.pageSize())) << printed.pageSize().key().toStdString();
      }
      EXPECT_EQ(printed.orientation(), expected.orientation());
      const QMarginsF m = printed.margins(QPageLayout::Point), e = expected.margins(QPageLayout::Point);
      EXPECT_NEAR(m.left(), e.left(), 0.5);
      EXPECT_NEAR(m.top(), e.top(), 0.5);
      EXPECT_NEAR(m.right(), e.right(), 0.5);
      EXPECT_NEAR(m.bottom(), e.bottom(), 0.5);
      EXPECT_EQ(printer->printerName(), kQueue);
      EXPECT_TRUE(printer->outputFileName().isEmpty());  // printing on the queue, not to the file
      EXPECT_EQ(printer->docName(), "Amazing Grace");
    }
  }
}

TEST_F(CupsQueueChild, APrintIsQueuedNamedAfterTheSongOnTheKeptPaper) {
  REQUIRE_CUPS_CHILD();
  const QStringList before = SpoolFiles("d");
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace+++++how sweet the sound");
  dialogs.pageSetupAnswers = {QString()};  // the kept setup: US Letter
  dialogs.printerAnswers = {PrinterAnswer::OnQueue(kQueue)};
  ASSERT_TRUE(w->_mnuPrint_Action()) << dialogs.msgBoxes.join(" | ").toStdString();
  EXPECT_TRUE(dialogs.msgBoxes.isEmpty());

  QStringList documents;
  EXPECT_TRUE(QTest::qWaitFor([&] { return (documents = SpoolFiles("d")).size() == before.size() + 1; }, 10000));
  ASSERT_EQ(documents.size(), before.size() + 1);
  const QString spool = qEnvironmentVariable(kSpoolVariable);
  const QString document = spool + "/" + documents.last();
  const QString control = spool + "/c" + documents.last().mid(1, 5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(control); }, 10000));
  EXPECT_EQ(JobName(control), "Amazing Grace");

  const QString info = PdfInfo(document);
  ASSERT_FALSE(info.isEmpty()) << "pdfinfo could not read " << document.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Amazing Grace\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+612 x 792 pts"))) << info.toStdString();
}

TEST_F(CupsQueueChild, ARefusedJobIsReportedAsAFailedPrint) {
  REQUIRE_CUPS_CHILD();
  ASSERT_TRUE(Tool("cupsreject", {kQueue}, QString()));
  const QStringList before = SpoolFiles("d");
  w->txtTitle()->SetText("Amazing Grace");
  w->txtSong()->SetText("[G]Amazing grace");
  w->Modified(false);
  dialogs.pageSetupAnswers = {QString()};
  dialogs.printerAnswers = {PrinterAnswer::OnQueue(kQueue)};
  EXPECT_FALSE(w->_mnuPrint_Action());
  ASSERT_EQ(dialogs.msgBoxes.size(), 1);
  EXPECT_TRUE(dialogs.msgBoxes[0].startsWith("Printing on the printer \"songs\" could not be completed.\n\n"))
      << dialogs.msgBoxes[0].toStdString();
  EXPECT_TRUE(dialogs.msgBoxes[0].contains("not accepting jobs")) << dialogs.msgBoxes[0].toStdString();
  EXPECT_FALSE(w->Modified());
  EXPECT_EQ(SpoolFiles("d"), before);
  ASSERT_TRUE(Tool("cupsaccept", {kQueue}, QString()));
}
