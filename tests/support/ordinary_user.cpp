#include "support/ordinary_user.h"

#include <QByteArray>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

namespace {

void WriteAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += n;
  }
}

[[noreturn]] void Child(int out, const std::function<QString()>& piece) {
  if (!BecomeOrdinaryUser()) {
    WriteAll(out, QByteArray("R") + "this process may not change its user: " + std::strerror(errno));
    ::_exit(0);
  }
  QByteArray result = "A";
  try {
    result += piece().toUtf8();
  } catch (const std::exception& e) {
    result += QByteArray("uncaught exception: ") + e.what();
  }
  WriteAll(out, result);
  ::_exit(0);
}

}  // namespace

bool BecomeOrdinaryUser() {
  return ::setgroups(0, nullptr) == 0 && ::setresgid(kOrdinaryGid, kOrdinaryGid, kOrdinaryGid) == 0 &&
         ::setresuid(kOrdinaryUid, kOrdinaryUid, kOrdinaryUid) == 0;
}

OrdinaryUserRun RunAsOrdinaryUser(const std::function<QString()>& piece) {
  OrdinaryUserRun run;
  int fds[2];
  if (::pipe(fds) != 0) {
    run.text = QStringLiteral("no pipe: ") + QString::fromLocal8Bit(std::strerror(errno));
    return run;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    run.text = QStringLiteral("no fork: ") + QString::fromLocal8Bit(std::strerror(errno));
    ::close(fds[0]);
    ::close(fds[1]);
    return run;
  }
  if (pid == 0) {
    ::close(fds[0]);
    Child(fds[1], piece);
  }
  ::close(fds[1]);
  QByteArray received;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    received.append(buffer, n);
  }
  ::close(fds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || received.isEmpty()) {
    run.text = QStringLiteral("the child ended without an answer (status %1)").arg(status);
    return run;
  }
  run.outcome = received.startsWith('R') ? OrdinaryUserRun::Refused : OrdinaryUserRun::Ran;
  run.text = QString::fromUtf8(received.mid(1));
  return run;
}
