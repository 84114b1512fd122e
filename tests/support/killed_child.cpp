#include "support/killed_child.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace {

pid_t Start(const std::function<void()>& piece) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    piece();
    ::_exit(0);
  }
  return pid;
}

// Polls until holds() or the child ends; true when it ended.
bool EndedBefore(pid_t pid, const std::function<bool()>& holds) {
  while (!holds()) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return true;
  }
  return false;
}

int Wait(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

}  // namespace

bool RunKilledAfter(const std::function<void()>& piece, std::chrono::microseconds delay,
                    const std::function<bool()>& from) {
  const pid_t pid = Start(piece);
  if (pid < 0) return false;
  if (from && EndedBefore(pid, from)) return true;
  std::this_thread::sleep_for(delay);
  ::kill(pid, SIGKILL);
  return WIFEXITED(Wait(pid));
}

std::chrono::microseconds TimeInChild(const std::function<void()>& piece, const std::function<bool()>& until) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Start(piece);
  if (pid < 0) return {};
  if (until)
    EndedBefore(pid, until);
  else
    Wait(pid);
  const auto end = std::chrono::steady_clock::now();
  Wait(pid);
  return std::chrono::duration_cast<std::chrono::microseconds>(end - start);
}
