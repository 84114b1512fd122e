#pragma once
// The exception kinds the program raises. Every one carries a readable reason.
#include <QString>
#include <stdexcept>

class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
  const QString& Reason() const { return reason_; }

 private:
  QString reason_;
};

class NilObjectException : public RuntimeException {
 public:
  explicit NilObjectException(const QString& what = QStringLiteral("Use of a missing object"))
      : RuntimeException(what) {}
};

class OutOfBoundsException : public RuntimeException {
 public:
  explicit OutOfBoundsException(const QString& what = QStringLiteral("Index out of bounds")) : RuntimeException(what) {}
};

class IOException : public RuntimeException {
 public:
  explicit IOException(const QString& what) : RuntimeException(what) {}
};

// The reason of any exception, for a report.
QString ExceptionReason(const std::exception& e);
