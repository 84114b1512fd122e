#pragma once
// Printing a document of several pages in several copies onto one page graphics.
#include <functional>

#include "platform/core/graphics.h"

// Draws pages 1 to pageCount (at least 1) once for each copy, collated (1, 2, 3, 1, 2, 3), with
// exactly one new page between any two printed pages and none after the last. renderPage draws
// one page onto g. Stops at the first new page the device refuses and returns false; true when
// every page was drawn. No copies (copies < 1) draws nothing.
bool PrintCopies(Graphics& g, int copies, int pageCount, const std::function<void(Graphics& g, int page)>& renderPage);
