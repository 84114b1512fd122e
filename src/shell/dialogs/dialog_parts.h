#pragma once
// Building blocks shared by the small fixed-size dialogs of the text tools.
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace dialog_parts {

// A fixed-size modal dialog with a title and a close button, and no minimise or maximise button.
void SetUpWindow(QDialog* d, const QString& title, int width, int height);

// Controls at fixed positions, named so that they can be found by name.
QLabel* AddLabel(QDialog* d, const QString& name, const QString& text, int left, int top, int width, int height,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
QLineEdit* AddTextField(QDialog* d, const QString& name, int left, int top, int width, int height);
QPushButton* AddButton(QDialog* d, const QString& name, const QString& caption, int left, int top, int width,
                       int height);

// Escape (without modifiers) presses the dialog's Cancel button; true when it did.
bool EscapePresses(QKeyEvent* e, QPushButton* cancel);

}  // namespace dialog_parts
