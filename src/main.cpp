#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("Harmonote"));
  w.resize(1004, 790);
  w.show();
  if (qEnvironmentVariableIsSet("HARMONOTE_SMOKE")) {
    QTimer::singleShot(500, &w, [&w] {
      std::printf("title: %s\n", w.windowTitle().toUtf8().constData());
      std::fflush(stdout);
      w.close();
    });
  }
  return app.exec();
}
