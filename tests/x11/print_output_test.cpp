// The print dialog on a real desktop, pressed as a user presses it: Qt's dialog checks the output
// file itself when Print is pressed, before the dialog is accepted, by opening it. An output that
// is no regular file (a named pipe, which would block that opening until something reads it, a
// link to one, a device, a socket, a folder) is refused in our own plain-text message first, with
// no question before it and nothing opened, and the dialog stays for another choice.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "mainwindow/modal_driver.h"
#include "mainwindow/window_fixture.h"
#include "platform/core/graphics.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/page_setup_dialog.h"
#include "platform/desktop/print_dialog.h"
#include "platform/desktop/print_job.h"
#include "support/file_bytes.h"
#include "support/test_env.h"
#include "x11/x_input.h"

namespace {

// A message box as it was shown.
struct ShownBox {
  QString text;  // without the invisible break opportunities
  bool plain = false;
};

// Every message box that opens while it lives, in order. Each is closed once it is on screen: a
// question with the answer set (No unless told otherwise, so that Qt's "overwrite?" writes
// nothing), any other box with its OK.
class BoxRecorder {
 public:
  BoxRecorder() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }
  std::vector<ShownBox> seen;
  QMessageBox::StandardButton answer = QMessageBox::No;

 private:
  void Look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || box->property("recorded").toBool()) return;
    box->setProperty("recorded", true);
    seen.push_back({box->text().remove(QChar(0x200B)), box->textFormat() == Qt::PlainText});
    QAbstractButton* close = box->button(QMessageBox::Yes) ? box->button(answer) : box->button(QMessageBox::Ok);
    if (close)
      close->click();
    else
      box->reject();
  }
  QTimer timer_;
};

// Tells whether anything opened a named pipe for writing: a reader holds it open from the start
// (so that such an opening never blocks) and sees the writer come, by its bytes or by its leaving.
class PipeWatch {
 public:
  explicit PipeWatch(const QString& pipe) : fd_(::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK)) {}
  ~PipeWatch() {
    if (fd_ >= 0) ::close(fd_);
  }
  PipeWatch(const PipeWatch&) = delete;
  PipeWatch& operator=(const PipeWatch&) = delete;
  bool Watching() const { return fd_ >= 0; }
  bool WriterCame() const {
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0 && p.revents != 0;
  }

 private:
  int fd_;
};

void MakePipe(const QString& path) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

// A socket file at path, left behind when its socket is closed.
void MakeSocket(const QString& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray name = QFile::encodeName(path);
  ASSERT_LT(size_t(name.size()), sizeof(address.sun_path));
  std::copy(name.begin(), name.end(), address.sun_path);
  EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0) << path.toStdString();
  ::close(fd);
}

QDialogButtonBox* ButtonBox(QDialog* dialog) {
  return dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
}

// Chooses the dialog's PDF file output (the last printer entry; the only one without CUPS queues)
// and puts path in its file field, with the keyboard there.
void ChooseFile(QDialog* dialog, const QString& path) {
  auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
  auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
  ASSERT_TRUE(printers && file) << "Qt's print dialog has no printer list or file field by those names any more";
  printers->setCurrentIndex(printers->count() - 1);
  ASSERT_TRUE(file->isEnabled()) << "the file output was not chosen";
  file->setText(path);
  file->setFocus();
  ASSERT_TRUE(xinput::WaitUntil([file] { return file->hasFocus(); }));
}

// Presses Print in the way asked: the Return key, or a click on the button.
enum class Press { ReturnKey, Click };
void PressPrint(QDialog* dialog, Press how) {
  if (how == Press::ReturnKey) {
    xinput::Keys(QStringLiteral("Return"));
  } else {
    QPushButton* print = ButtonBox(dialog)->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(print);
    xinput::Click(print);
  }
}

const char* PressName(Press how) { return how == Press::ReturnKey ? "Return" : "a click on Print"; }

// Runs script on the print dialog once the window manager has made it the active window, inside
// the dialog's own event loop; the dialog is cancelled after the script if it is still open.
ModalDriver<PrintDialog> WhenPrintDialogOpens(std::function<void(PrintDialog*)> script) {
  return ModalDriver<PrintDialog>([script = std::move(script)](PrintDialog* dialog) {
    const QPointer<PrintDialog> open(dialog);
    if (xinput::WaitUntil([dialog] { return dialog->isActiveWindow(); }, 10000))
      script(dialog);
    else
      ADD_FAILURE() << "the print dialog never became the active window";
    if (open && open->isVisible()) open->reject();
  });
}

bool IsPdf(const QString& path) { return FileBytes(path).startsWith("%PDF-"); }

// Draws one page on a job the dialog gave and sends it off.
void PrintOnePage(PrintJob& job) {
  ASSERT_TRUE(job.Begin()) << job.ErrorText().toStdString();
  job.Page().DrawString(QStringLiteral("Amazing Grace"), 72, 72);
  ASSERT_TRUE(job.Finish()) << job.ErrorText().toStdString();
}

struct Output {
  const char* what;
  QString name;     // of the output in the test's folder; a path from "/" is taken as it is
  QString refusal;  // our message
  std::function<void(const QString& folder)> make;
  QString pipe;  // the named pipe to watch, in the test's folder, if any
};

}  // namespace

TEST(PrintOutput, WhatIsNoRegularFileIsRefusedBeforeQtsOwnCheckOpensIt) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(120, "the print dialog with outputs that are no regular files");
  const std::vector<Output> outputs = {
      {"a named pipe", "pipe.pdf", "\"pipe.pdf\" is not a regular file.",
       [](const QString& f) { MakePipe(f + "/pipe.pdf"); }, "pipe.pdf"},
      {"a link to a named pipe", "link.pdf", "\"link.pdf\" is not a regular file.",
       [](const QString& f) {
         MakePipe(f + "/target");
         ASSERT_TRUE(QFile::link(f + "/target", f + "/link.pdf"));
       },
       "target"},
      {"a device", "/dev/null", "\"null\" is not a regular file.", [](const QString&) {}, QString()},
      {"a socket", "socket.pdf", "\"socket.pdf\" is not a regular file.",
       [](const QString& f) { MakeSocket(f + "/socket.pdf"); }, QString()},
      {"a folder", "folder.pdf", "\"folder.pdf\" is not a regular file.",
       [](const QString& f) { ASSERT_TRUE(QDir().mkpath(f + "/folder.pdf")); }, QString()},
  };
  int serial = 0;
  for (const Output& output : outputs) {
    SCOPED_TRACE(output.what);
    const QString folder = TestRoot() + QStringLiteral("/print-output-%1").arg(++serial);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_NO_FATAL_FAILURE(output.make(folder));
    const QString path = output.name.startsWith('/') ? output.name : folder + "/" + output.name;
    std::unique_ptr<PipeWatch> pipe;
    if (!output.pipe.isEmpty()) {
      pipe = std::make_unique<PipeWatch>(folder + "/" + output.pipe);
      ASSERT_TRUE(pipe->Watching());
    }
    // Half of the runs end on a new file, half on a file that is there (Qt asks before replacing
    // it, and is told yes).
    const bool endOnExistingFile = serial % 2 == 0;
    const QString pdf = folder + "/song.pdf";
    if (endOnExistingFile) PutFile(pdf, "old");

    BoxRecorder boxes;
    const ModalDriver<PrintDialog> driver = WhenPrintDialogOpens([&](PrintDialog* dialog) {
      ChooseFile(dialog, path);
      for (Press how : {Press::ReturnKey, Press::Click}) {
        SCOPED_TRACE(PressName(how));
        const size_t before = boxes.seen.size();
        PressPrint(dialog, how);
        ASSERT_TRUE(xinput::WaitUntil([&] { return boxes.seen.size() > before; }))
            << "no message came; the dialog is " << (dialog->isVisible() ? "open" : "closed");
        xinput::Settle(200);  // for a second box
        ASSERT_EQ(boxes.seen.size(), before + 1) << "a second box came: \"" << boxes.seen.back().text.toStdString()
                                                 << "\" after \"" << boxes.seen[before].text.toStdString() << "\"";
        EXPECT_EQ(boxes.seen[before].text.toStdString(), output.refusal.toStdString());
        EXPECT_TRUE(boxes.seen[before].plain) << "the message is not plain text";
        EXPECT_TRUE(dialog->isVisible()) << "the dialog closed";
        if (pipe) {
          EXPECT_FALSE(pipe->WriterCame()) << "the pipe was opened";
        }
        if (!dialog->isVisible()) return;
      }
      // Another choice in the same dialog prints.
      ChooseFile(dialog, pdf);
      boxes.answer = QMessageBox::Yes;
      const size_t before = boxes.seen.size();
      PressPrint(dialog, Press::ReturnKey);
      EXPECT_TRUE(xinput::WaitUntil([&] { return !dialog->isVisible(); })) << "the dialog did not print";
      if (endOnExistingFile) {
        ASSERT_EQ(boxes.seen.size(), before + 1);
        EXPECT_TRUE(boxes.seen.back().text.contains("already exists")) << boxes.seen.back().text.toStdString();
      } else {
        EXPECT_EQ(boxes.seen.size(), before);
      }
    });
    PrinterSetup setup;
    const std::unique_ptr<PrintJob> job = QtDialogs().ShowPrinterDialog(setup, {QStringLiteral("Amazing Grace"), pdf});
    ASSERT_TRUE(driver.Answered()) << "the print dialog never opened";
    ASSERT_NE(job, nullptr) << "the dialog was cancelled";
    PrintOnePage(*job);
    EXPECT_TRUE(IsPdf(pdf));
    if (pipe) {
      EXPECT_FALSE(pipe->WriterCame()) << "the pipe was opened";
    }
    EXPECT_FALSE(QFileInfo(path).isFile()) << "the output became a file";
  }
}

// The main window's Print, from the keyboard, through the page setup and the print dialog.
using PrintFromWindow = WindowFixture;

TEST_F(PrintFromWindow, APipeIsRefusedInTheDialogAndAnotherChoicePrints) {
  REQUIRE_X_SERVER();
  Watchdog watchdog(60, "Print from the main window onto a named pipe");
  Dialogs::Install(nullptr);  // the application's own dialogs
  const QString folder = TestRoot() + "/print-from-window";
  ASSERT_TRUE(QDir().mkpath(folder));
  MakePipe(folder + "/pipe.pdf");
  PipeWatch pipe(folder + "/pipe.pdf");
  ASSERT_TRUE(pipe.Watching());
  const QString pdf = folder + "/song.pdf";
  ASSERT_TRUE(xinput::ShowActive(w));

  BoxRecorder boxes;
  ModalDriver<PageSetupDialog> pageSetup([](PageSetupDialog* dialog) { dialog->accept(); });
  const ModalDriver<PrintDialog> driver = WhenPrintDialogOpens([&](PrintDialog* dialog) {
    ChooseFile(dialog, folder + "/pipe.pdf");
    PressPrint(dialog, Press::ReturnKey);
    ASSERT_TRUE(xinput::WaitUntil([&] { return !boxes.seen.empty(); })) << "no message came";
    xinput::Settle(200);
    ASSERT_EQ(boxes.seen.size(), 1u) << "a second box came: \"" << boxes.seen.back().text.toStdString() << "\"";
    EXPECT_EQ(boxes.seen[0].text.toStdString(), "\"pipe.pdf\" is not a regular file.");
    ASSERT_TRUE(dialog->isVisible());
    ChooseFile(dialog, pdf);
    PressPrint(dialog, Press::Click);
    EXPECT_TRUE(xinput::WaitUntil([&] { return !dialog->isVisible(); })) << "the dialog did not print";
  });
  xinput::Keys("ctrl+p");
  const bool printed = xinput::WaitUntil([&] { return IsPdf(pdf); }, 20000);
  EXPECT_TRUE(pageSetup.Answered());
  ASSERT_TRUE(driver.Answered()) << "the print dialog never opened";
  EXPECT_TRUE(printed) << "no PDF was printed";
  EXPECT_EQ(boxes.seen.size(), 1u) << "the messages were not the refusal alone";
  EXPECT_FALSE(pipe.WriterCame()) << "the pipe was opened";
}
