#pragma once
// Fixed boxes and the user's font: a label or button whose text would not fit its fixed box in
// the font it has gets the largest smaller size of that font in which it fits, so no text is cut.
// A text that fits keeps the font as it is. A label's room ends a small gap before the next
// control on its line (its field, say), also where its box reaches further: a label whose text
// needs more than its box first grows into the free room before that control, and shrinks only
// what still does not fit. Without a control after it, a label's room is its box.
class QWidget;

// Whether the widget's text (a label's or a button's) shows whole in its box, and a label's
// also clear of the control after it.
bool TextFitsBox(const QWidget* w);
// Fits the widget's text as above, shrinking its font down to 6 pixels at the least. For a
// label, call it once the controls of its line are placed.
void FitTextToBox(QWidget* w);
// Fits every label and push button inside top, once all its controls are placed; the push
// buttons of one column (one parent, one left edge, one width) then show their captions in one
// size, the smallest any of them needed.
void FitTextsIn(QWidget* top);
