#pragma once
// A test's files read and written whole, with nothing in between.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

// The bytes of the file, or "<unreadable>" when it cannot be opened.
inline QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Makes the file hold exactly these bytes.
inline void PutFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}
