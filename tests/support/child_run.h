#pragma once
// Some tests need a process of their own: the print system's server is chosen once per process,
// and the screen's scale is read when the application starts. Such a test runs the tests that
// do the work (filtered by name) in this same test executable again, as a child process with the
// environment it needs; those tests skip themselves in any other run.
#include <QProcessEnvironment>
#include <QString>

struct ChildRun {
  bool finished = false;  // false: it took longer than the time allowed and was killed
  int status = -1;        // the exit status (0: every test passed)
  QString output;         // standard output and error together
};

// Runs the tests that filter names in a child with environment added to this process's own and
// TestChildVariable() set; waits timeoutMs at most.
ChildRun RunTestsInChild(const QString& filter, const QProcessEnvironment& environment, int timeoutMs);

// Whether this process is such a child.
bool IsTestChild();
const char* TestChildVariable();
