// Start-up of every fuzzer: the code under test uses Qt's text, font and image classes, which
// need an application object; one offscreen QGuiApplication is made before the first input and
// kept for the whole run.
#include <QGuiApplication>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "harmonote-fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  return 0;
}
