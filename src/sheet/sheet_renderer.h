#pragma once
// Draws one page of the song sheet into any Graphics.
#include "platform/core/graphics.h"
#include "sheet/sheet_input.h"

// page is 1-based; a page past the last draws the last one, a page below 1 draws page 1.
// Returns the page number actually drawn (as the page label shows it).
int RenderSheetPage(Graphics& g, const SheetInput& in, int page);
