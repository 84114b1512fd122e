#pragma once
// Fixed boxes and the user's font: a label or button whose text would not fit its fixed box in
// the font it has gets the largest smaller size of that font in which it fits, so no text is cut.
// A text that fits keeps the font as it is.
class QWidget;

// Whether the widget's text (a label's or a button's) shows whole in its box.
bool TextFitsBox(const QWidget* w);
// Shrinks the widget's font until TextFitsBox, down to 6 pixels at the least.
void FitTextToBox(QWidget* w);
