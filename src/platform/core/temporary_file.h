#pragma once
// A new file written whole in a folder before it takes its place there.
//
// Where the file system offers them, the file has no name at all until it is put in place (an
// unnamed O_TMPFILE file, linked in at the end), so that a write killed on the way leaves nothing
// behind. Elsewhere it is a hidden ".hmnt-XXXXXXXX.tmp", locked for as long as it is written:
// creating one first removes those in the folder that no running write holds, which writes that
// were killed or crashed left there.
#include <QByteArray>

#include <sys/types.h>

class TemporaryFile {
 public:
  // Opens a new, empty file for writing in folder with mode (less the umask). Fd() is below 0,
  // with errno set, when the folder takes no new file.
  TemporaryFile(const QByteArray& folder, mode_t mode);
  ~TemporaryFile();  // closes it, and removes it unless it took its place
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return fd_; }
  // Closes the file for writing, with close's own report (some file systems report a failed
  // write only here); the file stays locked until it is in place. False with errno.
  bool Close();
  // Renames the file over target, in the same folder. False with errno.
  bool Replace(const QByteArray& target);
  // Gives the file the name path where no file has it yet. False with errno (EEXIST: taken).
  bool PlaceAt(const QByteArray& path);

 private:
  // Gives an unnamed file a temporary name, so that it can be renamed.
  bool Name();
  void Release();

  QByteArray folder_;
  QByteArray path_;  // the file's name while it has one of its own
  int fd_ = -1;
  int lock_ = -1;  // holds the lock (and the unnamed file) after Close
  bool placed_ = false;
};

// Removes the hidden temporary files in folder that no running write holds. Errors are ignored:
// a file is removed only once it is known to be stale.
void RemoveStaleTemporaries(const QByteArray& folder);
