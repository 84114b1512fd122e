#pragma once
// Files and folders by path, the user's special folders, and whole-file text streams.
#include <QString>

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
  // Copies this file, or this folder with everything in it (links are not followed), to dest,
  // which must not exist. Throws IOException.
  void CopyFileTo(const FolderItem& dest) const;
  // Removes a file, or a folder with everything in it. Throws IOException.
  void Delete() const;
  // Renames (moves) this item to dest within the same file system. Throws IOException.
  void MoveTo(const FolderItem& dest) const;

  bool operator==(const FolderItem& o) const { return path_ == o.path_; }

 private:
  QString path_;
};

// ApplicationData is $XDG_CONFIG_HOME (default ~/.config); Preferences is the home folder. Both
// can be overridden, for tests.
namespace SpecialFolder {
FolderItem ApplicationData();
FolderItem Preferences();
void OverrideApplicationData(const QString& path);  // "" restores the default
void OverridePreferences(const QString& path);
}  // namespace SpecialFolder

// Reads a whole text file at once, decoded as UTF-8 with a byte-order mark dropped.
class TextInputStream {
 public:
  enum class Fallback { None, Windows1252 };
  // Throws IOException with the reason when the file cannot be read. With Fallback::None,
  // invalid UTF-8 is decoded with replacement characters; with Windows1252 it is read as that.
  static QString ReadAll(const FolderItem& file, Fallback fallback = Fallback::None);
  static QByteArray ReadBytes(const FolderItem& file);
};

// Writes a whole text file as UTF-8. The old file stays whole until the new one is complete;
// any failure is an IOException with the reason.
class TextOutputStream {
 public:
  static void WriteAll(const FolderItem& file, const QString& text);
  static void WriteBytes(const FolderItem& file, const QByteArray& bytes);
};

// Windows-1252 bytes to text.
QString DecodeWindows1252(const QByteArray& bytes);
// Whether bytes are valid UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
