#pragma once
// The application's menu bar as the application object holds it. The menu bar itself lives in a
// layer above; that layer tells start-up how to make it, so that start-up can install it right
// after creating the application object.
#include <functional>

class ApplicationMenuBar {
 public:
  virtual ~ApplicationMenuBar() = default;
};

// The maker is set once by the layer that owns the menu bar; start-up calls it when it is set.
void SetApplicationMenuBarMaker(std::function<ApplicationMenuBar*()> maker);
ApplicationMenuBar* MakeApplicationMenuBar();  // nullptr when no maker is set
