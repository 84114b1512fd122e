// A fault-injection library for tests, loaded with LD_PRELOAD. It makes one kind of system call
// fail, as a full or failing disk would, for files below one folder; everything else goes through.
//
//   HARMONOTE_FAULT_DIR    the folder (an absolute, resolved path), or a single file
//   HARMONOTE_FAULT_CALL   write | fsync | fdatasync | close | fallocate | ftruncate | tmpfile |
//                          setflags   (unset: no faults)
//   HARMONOTE_FAULT_ERRNO  ENOSPC | EIO | EOPNOTSUPP | EPERM   (default ENOSPC)
//   HARMONOTE_FAULT_AFTER  for write: bytes each file may take before writes fail (default 0)
//   HARMONOTE_FAULT_TOUCH  for fallocate, when set: the failing call first moves the file's
//                          modification time on by a second, as a full ext4 does
//
// write covers write, writev and pwrite. A failing close still closes the descriptor, as the
// kernel does. fallocate with EOPNOTSUPP is a file system that cannot reserve space and is full:
// fallocate is refused and fstatvfs reports no free blocks. tmpfile refuses to open an unnamed
// file (open with O_TMPFILE and an absolute path) in the folder, as a file system without them
// does; setflags refuses to change a file's inode flags (FS_IOC_SETFLAGS).
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <stdarg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>

namespace {

constexpr int kTrackedFds = 4096;
std::atomic<long long> g_written[kTrackedFds];

template <typename Fn>
Fn Next(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

// Whether call on the file at path is to fail now: the file is the one named, or below the folder.
bool FaultyPath(const char* call, const char* path) {
  const char* wanted = getenv("HARMONOTE_FAULT_CALL");
  const char* dir = getenv("HARMONOTE_FAULT_DIR");
  if (!wanted || !dir || !*dir || !path || strcmp(wanted, call) != 0) return false;
  const size_t dirLength = strlen(dir);
  return strncmp(path, dir, dirLength) == 0 && (path[dirLength] == '/' || path[dirLength] == '\0');
}

// Whether call on fd is to fail now.
bool Faulty(const char* call, int fd) {
  if (fd < 0 || !getenv("HARMONOTE_FAULT_CALL")) return false;
  char link[64], path[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  return FaultyPath(call, path);
}

int FaultErrno() {
  const char* e = getenv("HARMONOTE_FAULT_ERRNO");
  if (e && strcmp(e, "EIO") == 0) return EIO;
  if (e && strcmp(e, "EOPNOTSUPP") == 0) return EOPNOTSUPP;
  if (e && strcmp(e, "EPERM") == 0) return EPERM;
  return ENOSPC;
}

long long AllowedBytes() {
  const char* a = getenv("HARMONOTE_FAULT_AFTER");
  return a ? atoll(a) : 0;
}

}  // namespace

extern "C" {

// Tests look this up to know that the library is loaded.
int harmonote_fault_shim_loaded = 1;

}  // extern "C"

namespace {

// A write of count bytes on fd through doWrite(count), failing once the file has taken its bytes.
template <typename Write>
ssize_t LimitedWrite(int fd, size_t count, Write doWrite) {
  if (!Faulty("write", fd)) return doWrite(count);
  const long long allowed = AllowedBytes();
  std::atomic<long long>* written = fd < kTrackedFds ? &g_written[fd] : nullptr;
  const long long done = written ? written->load() : allowed;
  if (done >= allowed) {
    errno = FaultErrno();
    return -1;
  }
  const size_t room = size_t(allowed - done);
  const ssize_t n = doWrite(count < room ? count : room);
  if (n > 0 && written) *written += n;
  return n;
}

// A call failing with the fault's error.
int Fail() {
  errno = FaultErrno();
  return -1;
}

// A failing fallocate, which first moves the file's modification time when asked to.
int FailFallocate(int fd) {
  struct stat st;
  if (getenv("HARMONOTE_FAULT_TOUCH") && fstat(fd, &st) == 0) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {st.st_mtim.tv_sec + 1, st.st_mtim.tv_nsec}};
    futimens(fd, times);
  }
  return Fail();
}

// Whether an open of path is refused as an unnamed file that the folder cannot take.
bool RefusedTemporary(const char* path, int flags) {
  return (flags & O_TMPFILE) == O_TMPFILE && path[0] == '/' && FaultyPath("tmpfile", path);
}

// The mode argument of an open that creates a file; 0 when it has none.
mode_t ModeArgument(int flags, va_list& args) {
  return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? mode_t(va_arg(args, int)) : 0;
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* buf, size_t count) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  return LimitedWrite(fd, count, [&](size_t n) { return real(fd, buf, n); });
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return LimitedWrite(fd, count, [&](size_t n) { return real(fd, buf, n, offset); });
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off64_t offset) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
  return LimitedWrite(fd, count, [&](size_t n) { return real(fd, buf, n, offset); });
}

int fallocate(int fd, int mode, off_t offset, off_t length) {
  static const auto real = Next<int (*)(int, int, off_t, off_t)>("fallocate");
  if (Faulty("fallocate", fd)) return FailFallocate(fd);
  return real(fd, mode, offset, length);
}

int fallocate64(int fd, int mode, off64_t offset, off64_t length) {
  static const auto real = Next<int (*)(int, int, off64_t, off64_t)>("fallocate64");
  if (Faulty("fallocate", fd)) return FailFallocate(fd);
  return real(fd, mode, offset, length);
}

int ftruncate(int fd, off_t length) {
  static const auto real = Next<int (*)(int, off_t)>("ftruncate");
  return Faulty("ftruncate", fd) ? Fail() : real(fd, length);
}

int ftruncate64(int fd, off64_t length) {
  static const auto real = Next<int (*)(int, off64_t)>("ftruncate64");
  return Faulty("ftruncate", fd) ? Fail() : real(fd, length);
}

int open(const char* path, int flags, ...) {
  static const auto real = Next<int (*)(const char*, int, ...)>("open");
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return RefusedTemporary(path, flags) ? Fail() : real(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  static const auto real = Next<int (*)(const char*, int, ...)>("open64");
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeArgument(flags, args);
  va_end(args);
  return RefusedTemporary(path, flags) ? Fail() : real(path, flags, mode);
}

int ioctl(int fd, unsigned long request, ...) {
  static const auto real = Next<int (*)(int, unsigned long, ...)>("ioctl");
  va_list args;
  va_start(args, request);
  void* argument = va_arg(args, void*);
  va_end(args);
  return request == FS_IOC_SETFLAGS && Faulty("setflags", fd) ? Fail() : real(fd, request, argument);
}

int fstatvfs(int fd, struct statvfs* buf) {
  static const auto real = Next<int (*)(int, struct statvfs*)>("fstatvfs");
  const int result = real(fd, buf);
  if (result == 0 && Faulty("fallocate", fd) && FaultErrno() == EOPNOTSUPP) buf->f_bavail = buf->f_bfree = 0;
  return result;
}

int fstatvfs64(int fd, struct statvfs64* buf) {
  static const auto real = Next<int (*)(int, struct statvfs64*)>("fstatvfs64");
  const int result = real(fd, buf);
  if (result == 0 && Faulty("fallocate", fd) && FaultErrno() == EOPNOTSUPP) buf->f_bavail = buf->f_bfree = 0;
  return result;
}

ssize_t writev(int fd, const struct iovec* iov, int iovcnt) {
  static const auto real = Next<ssize_t (*)(int, const struct iovec*, int)>("writev");
  if (Faulty("write", fd)) {
    errno = FaultErrno();
    return -1;
  }
  return real(fd, iov, iovcnt);
}

int fsync(int fd) {
  static const auto real = Next<int (*)(int)>("fsync");
  if (Faulty("fsync", fd)) {
    errno = FaultErrno();
    return -1;
  }
  return real(fd);
}

int fdatasync(int fd) {
  static const auto real = Next<int (*)(int)>("fdatasync");
  if (Faulty("fdatasync", fd)) {
    errno = FaultErrno();
    return -1;
  }
  return real(fd);
}

int close(int fd) {
  static const auto real = Next<int (*)(int)>("close");
  if (fd >= 0 && fd < kTrackedFds) g_written[fd] = 0;
  if (Faulty("close", fd)) {
    real(fd);
    errno = FaultErrno();
    return -1;
  }
  return real(fd);
}

}  // extern "C"
