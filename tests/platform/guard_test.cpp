#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <stdexcept>

#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "platform/desktop/dialogs.h"
#include "support/doubles/scripted_dialogs.h"

namespace {

// Each test sets a reporter of its own; afterwards reports go to the dialogs again, as the test
// start-up left them.
class GuardReporter : public ::testing::Test {
 protected:
  void TearDown() override { ReportErrorsInDialogs(); }
};

// Whatever an action raises is reported once, with its reason, and the guard goes on; the report
// goes wherever reports are sent: to a reporter that is set, or to a message box of the dialogs,
// as the application has it.
TEST_F(GuardReporter, EachFailureIsReportedOnceWhereReportsGo) {
  const struct {
    const char* what;
    std::function<void()> action;
    QStringList reports;
  } cases[] = {
      {"nothing raised", [] {}, {}},
      {"a file error", [] { throw IOException("disk full"); }, {"An error occurred: disk full"}},
      {"an index out of bounds", [] { throw OutOfBoundsException(); }, {"An error occurred: Index out of bounds"}},
      {"a standard exception", [] { throw std::runtime_error("plain"); }, {"An error occurred: plain"}},
      {"anything else", [] { throw 42; }, {"An error occurred: Unknown error"}},
  };
  ScriptedDialogs dialogs;
  QStringList reported;
  const struct {
    const char* where;
    std::function<void()> sendReports;
    QStringList* reports;
  } destinations[] = {
      {"a reporter", [&] { SetErrorReporter([&](const QString& report) { reported << report; }); }, &reported},
      {"the dialogs", [] { ReportErrorsInDialogs(); }, &dialogs.msgBoxes},
  };
  for (const auto& to : destinations) {
    to.sendReports();
    for (const auto& c : cases) {
      to.reports->clear();
      EXPECT_EQ(Guarded(c.action), c.reports.isEmpty()) << to.where << ", " << c.what;
      EXPECT_EQ(*to.reports, c.reports) << to.where << ", " << c.what;
    }
  }
}

TEST_F(GuardReporter, AReporterThatFailsLeavesTheGuardsAnswerAlone) {
  int calls = 0;
  SetErrorReporter([&](const QString&) {
    ++calls;
    throw IOException("no screen");
  });
  EXPECT_FALSE(Guarded([] { throw IOException("disk full"); }));
  EXPECT_EQ(calls, 1);
}

TEST_F(GuardReporter, WithoutAReporterTheReportIsALineOnTheErrorStream) {
  SetErrorReporter({});
  ::testing::internal::CaptureStderr();
  const bool ok = Guarded([] { throw IOException("disk full"); });
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_FALSE(ok);
  EXPECT_EQ(written, "An error occurred: disk full\n");
}

}  // namespace
