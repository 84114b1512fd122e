#pragma once
// Keeps a key pressed with Alt, Ctrl or Super out of a text control: such a key that reaches the
// control is no shortcut or access key (those are taken before it), so it must type nothing. The
// control's own editing keys (Ctrl+C, Ctrl+V, Ctrl+Left, Alt+Backspace, ...) pass through untouched.
#include <QObject>

class QKeyEvent;
class QWidget;

class ModifiedKeyFilter : public QObject {
  Q_OBJECT
 public:
  // The one filter shared by every text control.
  static ModifiedKeyFilter* Instance();
  // Installs the filter on the control.
  static void InstallOn(QWidget* control);
  // Whether the key would insert text although Alt, Ctrl or Super is held.
  static bool TypesWithModifier(const QKeyEvent& e);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};
