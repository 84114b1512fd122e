#include "app/application_icon.h"

#include <QGuiApplication>
#include <QPixmap>

QList<int> ApplicationIconSizes() { return {16, 22, 24, 32, 48, 64, 128, 256}; }

QIcon ApplicationIcon() {
  QIcon icon;
  for (int side : ApplicationIconSizes()) {
    const QString file = QStringLiteral(":/harmonote/icons/harmonote-%1.png").arg(side);
    const QPixmap picture(file);
    if (!picture.isNull()) icon.addPixmap(picture);
  }
  return icon;
}

void UseApplicationIcon() {
  // Pictures need the GUI application; a run without one has no windows either.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  QGuiApplication::setDesktopFileName(QStringLiteral("harmonote"));
  const QIcon icon = ApplicationIcon();
  if (!icon.isNull()) QGuiApplication::setWindowIcon(icon);
}
