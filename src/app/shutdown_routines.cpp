#include "app/shutdown_routines.h"

#include <vector>

namespace {
std::vector<std::function<void()>>& Routines() {
  static std::vector<std::function<void()>> routines;
  return routines;
}
}  // namespace

void AddShutdownRoutine(std::function<void()> routine) { Routines().push_back(std::move(routine)); }

void RunShutdownRoutines() {
  // A routine may register another one while it runs; take the list first.
  std::vector<std::function<void()>> routines;
  routines.swap(Routines());
  for (auto it = routines.rbegin(); it != routines.rend(); ++it) {
    try {
      (*it)();
    } catch (...) {
    }
  }
}
