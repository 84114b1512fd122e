#include "support/child_run.h"

#include <QCoreApplication>
#include <QProcess>

const char* TestChildVariable() { return "HARMONOTE_TEST_CHILD"; }

bool IsTestChild() { return qEnvironmentVariableIsSet(TestChildVariable()); }

ChildRun RunTestsInChild(const QString& filter, const QProcessEnvironment& environment, int timeoutMs) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(environment);
  env.insert(QString::fromLatin1(TestChildVariable()), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + filter});
  ChildRun run;
  if (!child.waitForStarted(10000)) {
    run.output = QStringLiteral("the child could not start: ") + child.errorString();
    return run;
  }
  run.finished = child.waitForFinished(timeoutMs);
  if (!run.finished) {
    child.kill();
    child.waitForFinished(5000);
  }
  run.output = QString::fromLocal8Bit(child.readAll());
  if (run.finished) run.status = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
  return run;
}
