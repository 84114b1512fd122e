#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "platform/desktop/dialogs.h"

namespace {

// Each test sets a reporter of its own; afterwards reports go to the dialogs again, as the test
// start-up left them.
class GuardReporter : public ::testing::Test {
 protected:
  void TearDown() override { ReportErrorsInDialogs(); }
};

TEST_F(GuardReporter, EveryReportGoesToTheReporterSet) {
  QStringList reports;
  SetErrorReporter([&](const QString& report) { reports << report; });
  EXPECT_TRUE(Guarded([] {}));
  EXPECT_FALSE(Guarded([] { throw OutOfBoundsException(); }));
  EXPECT_FALSE(Guarded([] { throw std::runtime_error("plain"); }));
  EXPECT_FALSE(Guarded([] { throw 42; }));
  EXPECT_EQ(reports, QStringList({"An error occurred: Index out of bounds", "An error occurred: plain",
                                  "An error occurred: Unknown error"}));
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
