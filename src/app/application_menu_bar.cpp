#include "app/application_menu_bar.h"

namespace {
std::function<ApplicationMenuBar*()>& Maker() {
  static std::function<ApplicationMenuBar*()> maker;
  return maker;
}
}  // namespace

void SetApplicationMenuBarMaker(std::function<ApplicationMenuBar*()> maker) { Maker() = std::move(maker); }

ApplicationMenuBar* MakeApplicationMenuBar() { return Maker() ? Maker()() : nullptr; }
