#pragma once
// The application's menu bar as the application object holds it. The menu bar itself lives in a
// layer above; main hands start-up the function that makes it (see _Main), so that start-up can
// install it right after creating the application object.
#include <functional>

class ApplicationMenuBar {
 public:
  virtual ~ApplicationMenuBar() = default;
};

using ApplicationMenuBarMaker = std::function<ApplicationMenuBar*()>;
