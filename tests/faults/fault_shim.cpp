// A fault-injection library for tests, loaded with LD_PRELOAD. It makes one kind of system call
// fail, as a full or failing disk would, for files below one folder; everything else goes through.
//
//   HARMONOTE_FAULT_DIR    the folder (an absolute, resolved path)
//   HARMONOTE_FAULT_CALL   write | fsync | fdatasync | close   (unset: no faults)
//   HARMONOTE_FAULT_ERRNO  ENOSPC | EIO   (default ENOSPC)
//   HARMONOTE_FAULT_AFTER  for write: bytes each file may take before writes fail (default 0)
//
// A failing close still closes the descriptor, as the kernel does.
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

// Whether call on fd is to fail now.
bool Faulty(const char* call, int fd) {
  const char* wanted = getenv("HARMONOTE_FAULT_CALL");
  const char* dir = getenv("HARMONOTE_FAULT_DIR");
  if (!wanted || !dir || !*dir || strcmp(wanted, call) != 0 || fd < 0) return false;
  char link[64], path[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  const size_t dirLength = strlen(dir);
  return strncmp(path, dir, dirLength) == 0 && path[dirLength] == '/';
}

int FaultErrno() {
  const char* e = getenv("HARMONOTE_FAULT_ERRNO");
  return e && strcmp(e, "EIO") == 0 ? EIO : ENOSPC;
}

long long AllowedBytes() {
  const char* a = getenv("HARMONOTE_FAULT_AFTER");
  return a ? atoll(a) : 0;
}

}  // namespace

extern "C" {

// Tests look this up to know that the library is loaded.
int harmonote_fault_shim_loaded = 1;

ssize_t write(int fd, const void* buf, size_t count) {
  static const auto real = Next<ssize_t (*)(int, const void*, size_t)>("write");
  if (Faulty("write", fd)) {
    const long long allowed = AllowedBytes();
    std::atomic<long long>* written = fd < kTrackedFds ? &g_written[fd] : nullptr;
    const long long done = written ? written->load() : allowed;
    if (done >= allowed) {
      errno = FaultErrno();
      return -1;
    }
    const size_t room = size_t(allowed - done);
    const ssize_t n = real(fd, buf, count < room ? count : room);
    if (n > 0 && written) *written += n;
    return n;
  }
  return real(fd, buf, count);
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
