#pragma once
// Message texts as a message box shows them.
#include <QString>

// text with an invisible break opportunity (a zero-width space) inside each run of more than
// 20 characters without a space, every 10 characters, so that a long title or path wraps onto
// further lines instead of being cut off at the box's edge. Nothing else changes.
QString BreakableText(const QString& text);
