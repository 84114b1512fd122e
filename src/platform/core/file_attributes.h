#pragma once
// Giving a new file everything an old one had, so that the new one can take the old one's place.
#include <QByteArray>

struct stat;

// Gives the open file newFd the owner, group and mode of the file at oldPath (whose status is
// old), then every extended attribute of it, the ACLs included, and drops any attribute the new
// file has that the old one lacks (an ACL inherited from the folder). False when any of it could
// not be done, or the new file does not end up with the same owner, group and mode.
bool CopyOwnerModeAndAttributes(const QByteArray& oldPath, const struct stat& old, int newFd);

// Gives the open file newFd the inode flags a user sets (chattr: no access times, not dumped,
// synchronous, ...) of the file at oldPath, whose status is old. False when they cannot be given,
// or the old file is append-only or immutable. A file system without flags has none to give.
bool CopyInodeFlags(const QByteArray& oldPath, const struct stat& old, int newFd);
