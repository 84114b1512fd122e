#pragma once
// Runs a piece of a test as an ordinary user. The tests run as root on CI and the developers'
// machines, and root ignores file modes, so the piece runs in a forked child that has given up
// root for an unused user and group, without supplementary groups, on files the test made for it.
// Only plain function calls belong in the piece: it runs in a fork of a process with Qt objects.
#include <QString>
#include <functional>

#include <sys/types.h>

inline constexpr uid_t kOrdinaryUid = 60123;
inline constexpr gid_t kOrdinaryGid = 60123;

struct OrdinaryUserRun {
  enum Outcome { Ran, Refused, Died } outcome = Died;
  QString text;  // Ran: what the piece returned; Refused: why the system would not drop root
};

OrdinaryUserRun RunAsOrdinaryUser(const std::function<QString()>& piece);

// Makes this process (a forked child) the ordinary user, without supplementary groups; false with
// errno when the system refuses.
bool BecomeOrdinaryUser();
