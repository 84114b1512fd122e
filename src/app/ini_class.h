#pragma once
// The settings store over one text file of "[section]" header lines and "key=value" entry lines.
//
// A section header is a whole line "[" + section + "]"; a section runs to the next line that
// begins with "[". A key matches only at the start of an entry line of its own section. Letter
// case is ignored in look-ups and kept in the file. Lines may end with CR, LF or CR LF; the store
// writes CR. Nothing is quoted or escaped, so texts that would break a line are refused.
//
// The store never stops its caller: a file that cannot be read gives "" and 0, a write that
// cannot be made leaves the file as it was (the new file replaces the old one whole), and each
// distinct failure is reported once on the error stream.
#include <QString>
#include <QStringList>

#include "platform/core/files.h"

class iniClass {
 public:
  explicit iniClass(const FolderItem& file);

  // Puts the value of key in section into value and returns its length; "" and 0 when there is
  // no file, no such section or entry, or the file cannot be read.
  int GetPreference(const QString& section, const QString& key, QString& value);
  // Makes the file hold key=value in section: the value replaced in place, or the entry added as
  // the section's last line, or the section added at the end of the file (the file is created
  // when missing). Refused, with nothing written, when a text would break the file's lines.
  void SetPreference(const QString& section, const QString& key, const QString& value);

  const FolderItem& iniFileName() const { return file_; }
  // The failures reported so far, each once.
  const QStringList& ReportedFailures() const { return reported_; }

  // Whether the texts can be stored without breaking the file's lines.
  static bool IsStorable(const QString& section, const QString& key, const QString& value);

 private:
  void Report(const QString& failure);

  FolderItem file_;
  QStringList reported_;
};
