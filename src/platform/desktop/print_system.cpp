#include "platform/desktop/print_system.h"

#include <dlfcn.h>

namespace {
// CUPS's status codes: from 0x0400 on, the request failed (client and server errors, and the
// library's own failures above them).
constexpr int kFirstFailure = 0x0400;
}  // namespace

std::optional<QString> LastPrintSystemRefusal() {
  // Only a library that is loaded already: without Qt's CUPS support nothing was sent to CUPS.
  void* cups = ::dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
  if (!cups) return std::nullopt;
  using StatusFunction = int (*)();
  using TextFunction = const char* (*)();
  const auto status = reinterpret_cast<StatusFunction>(::dlsym(cups, "cupsLastError"));
  const auto text = reinterpret_cast<TextFunction>(::dlsym(cups, "cupsLastErrorString"));
  std::optional<QString> refusal;
  if (status && status() >= kFirstFailure) {
    const char* reason = text ? text() : nullptr;
    refusal = reason && *reason ? QString::fromUtf8(reason) : QStringLiteral("The print system refused the job.");
  }
  ::dlclose(cups);
  return refusal;
}
