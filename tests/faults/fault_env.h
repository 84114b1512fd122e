#pragma once
// Failing system calls for the code under test, through the fault-injection library that the test
// executable is started with (LD_PRELOAD). A FaultScope makes one call fail for files below one
// folder while it lives.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <dlfcn.h>

#include "support/test_env.h"

struct Fault {
  const char* call;      // a call the fault-injection library can fail (write, fsync, fdatasync, close, ...)
  const char* error;     // ENOSPC, EIO, ...
  const char* reason;    // the system's text for it
  bool touches = false;  // fallocate: the failing call moves the file's modification time first
};

inline const Fault kFaults[] = {
    {"write", "ENOSPC", "No space left on device"},     {"write", "EIO", "Input/output error"},
    {"fdatasync", "ENOSPC", "No space left on device"}, {"fdatasync", "EIO", "Input/output error"},
    {"close", "ENOSPC", "No space left on device"},     {"close", "EIO", "Input/output error"},
};

inline std::ostream& operator<<(std::ostream& os, const Fault& f) { return os << f.call << '/' << f.error; }

inline bool FaultShimLoaded() { return dlsym(RTLD_DEFAULT, "harmonote_fault_shim_loaded") != nullptr; }

// A fresh folder whose files fail as the fault says while a scope is open (a scope can also name
// one file).
inline QString FaultFolder(const QString& name) {
  const QString path = TestRoot() + QLatin1Char('/') + name;
  QDir().mkpath(path);
  return QFileInfo(path).canonicalFilePath();
}

class FaultScope {
 public:
  FaultScope(const QString& folder, const Fault& fault, qint64 allowedBytes = 0) {
    qputenv("HARMONOTE_FAULT_DIR", folder.toLocal8Bit());
    qputenv("HARMONOTE_FAULT_ERRNO", fault.error);
    qputenv("HARMONOTE_FAULT_AFTER", QByteArray::number(allowedBytes));
    qputenv("HARMONOTE_FAULT_CALL", fault.call);
    if (fault.touches) qputenv("HARMONOTE_FAULT_TOUCH", "1");
  }
  ~FaultScope() {
    qunsetenv("HARMONOTE_FAULT_TOUCH");
    qunsetenv("HARMONOTE_FAULT_CALL");
    qunsetenv("HARMONOTE_FAULT_DIR");
  }
  FaultScope(const FaultScope&) = delete;
  FaultScope& operator=(const FaultScope&) = delete;
};

// Every fault test starts by making sure the faults are real.
#define REQUIRE_FAULT_SHIM() \
  ASSERT_TRUE(FaultShimLoaded()) << "run this test with LD_PRELOAD naming the fault-injection library"
