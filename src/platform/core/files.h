#pragma once
// Files and folders by path, the user's special folders, and whole-file text streams.
#include <QString>
#include <QStringList>

#include "platform/core/file_writer.h"
#include "platform/core/text_decoding.h"

class FolderItem {
 public:
  FolderItem() = default;
  explicit FolderItem(const QString& path);

  bool IsValid() const { return !path_.isEmpty(); }
  QString Path() const { return path_; }  // absolute
  QString Name() const;
  FolderItem Child(const QString& name) const;  // also when it does not exist yet
  FolderItem Parent() const;
  bool Exists() const;
  bool IsFolder() const;
  bool IsRegularFile() const;
  bool IsSymLink() const;
  // Creates the folder (and missing parents); throws IOException when it cannot.
  void CreateAsFolder() const;
  // Copies this file, or this folder with everything in it, to dest, which must not exist. Links
  // are not followed; what is neither a folder nor a regular file is never opened and is left
  // out: its paths are returned. Throws IOException.
  QStringList CopyFileTo(const FolderItem& dest) const;
  // Removes a file, or a folder with everything in it. Throws IOException.
  void Delete() const;
  // Renames (moves) this item to dest within the same file system. Throws IOException.
  void MoveTo(const FolderItem& dest) const;

  bool operator==(const FolderItem& o) const { return path_ == o.path_; }

 private:
  QString path_;
};

// ApplicationData is $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; Preferences is
// the home folder ($HOME). Both are read from the environment at each call.
namespace SpecialFolder {
FolderItem ApplicationData();
FolderItem Preferences();
}  // namespace SpecialFolder

// Reads a whole file at once. Only regular files (or links to them) are read, and reading never
// blocks on a named pipe or a device: anything else is refused with the reason.
class TextInputStream {
 public:
  enum class Fallback { None, Windows1252 };
  // Decoded as UTF-8 with a byte-order mark dropped. With Fallback::None, invalid UTF-8 is decoded
  // with replacement characters; with Windows1252 each byte that is not valid UTF-8 is read as
  // its Windows-1252 character. Throws IOException with the reason when the file cannot be read.
  static QString ReadAll(const FolderItem& file, Fallback fallback = Fallback::None);
  // The text of a song document or text import (see DecodeText), read and decoded in pieces: only
  // the text is held, and the reading stops at the first NUL. Throws IOException
  // ""NAME" is not a song document." when the bytes are not such text.
  static QString ReadText(const FolderItem& file, TextKind kind);
  static QByteArray ReadBytes(const FolderItem& file);
};
