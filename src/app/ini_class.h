#pragma once
// The settings store over one text file of "[section]" header lines and "key=value" lines.
#include <QString>

#include "platform/files.h"

class iniClass {
 public:
  iniClass() = default;
  explicit iniClass(const FolderItem& file) : file_(file) {}

  const FolderItem& File() const { return file_; }

 private:
  FolderItem file_;
};
