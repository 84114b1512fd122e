#pragma once
// A one-line text field over QLineEdit. TextChange fires, synchronously, whenever the text changes,
// by typing or by SetText. The length limit stops typing and pasting; a longer text set from code
// is kept whole (a song may carry one), and typing then cannot make it longer than it was set.
// A NUL never enters the field, however it comes (typing, paste, drop, SetText): it is dropped
// and the rest kept. Undo and redo work as in any line edit; SetText starts a fresh history, as
// QLineEdit::setText does, so that an opened song's values are where undoing stops.
#include <QLineEdit>
#include <QString>

class TextField : public QLineEdit {
  Q_OBJECT
 public:
  explicit TextField(QWidget* parent = nullptr);

  QString Text() const { return text(); }
  void SetText(const QString& text);
  // What Text() reads back after the given text is set: the text without a NUL.
  static QString ReadBack(const QString& text);

  // 0 means no limit.
  int LimitText() const { return limit_; }
  void SetLimitText(int limit);

  void SetTextFont(const QString& name, double pixels);

 signals:
  void TextChange();

 private:
  void ApplyLimit();

  int limit_ = 0;
};
