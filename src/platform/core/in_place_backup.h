#pragma once
// The copy of a file that a write over the file itself keeps until the new content is safe.
//
// Before the first byte of a file written in place changes, the whole file is copied and the copy
// synced to disk, file and folder: beside the file as ".NAME.hmnt-backup" when its folder takes
// new files, else in the user's state folder ($XDG_STATE_HOME/harmonote/, by default
// ~/.local/state/harmonote/) as "HASH-NAME", HASH standing for the file's whole path. Once the
// new content is synced, the copy is removed. A write that fails part-way, or is killed, leaves
// it, and opening the file can tell where it is.
//
// A backup that is there already when a write starts is kept as it is, and serves that write
// too: it holds the file as it was before a write that did not finish, while the file itself may
// be that write's torn result. Any write of the file that goes through removes it.
#include <QByteArray>
#include <QString>
#include <optional>

struct stat;
class FolderItem;

class InPlaceBackup {
 public:
  // Backs up the regular file at path, whose status st was just taken (name is its name, for
  // messages). Throws IOException, with nothing changed, when no backup can be made.
  InPlaceBackup(const QByteArray& path, const struct stat& st, const QString& name);

  // Where the backup is.
  QString Path() const;
  // Removes it, once the new content is synced.
  void Remove();
  // The write changed nothing after all: removes the backup if this write made it.
  void Discard();

  // Removes the backup that an unfinished write of the file at path left, if one is there.
  static void RemoveLeft(const QByteArray& path);

 private:
  QByteArray path_;
  bool made_ = false;  // by this write, not left by an earlier one
};

// The backup that an unfinished write of file left, if one is there.
std::optional<QString> LeftBackup(const FolderItem& file);
