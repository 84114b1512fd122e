#pragma once
// The page rule of the song text, and the small window-state rules built on it.
#include <QString>

// The number of pages: 1 for an empty text, else the number of pieces between page-break markers.
int CountPages(const QString& song, const QString& marker);
// The page to show for a current page number: lowered to the page count when pages have gone,
// and never below 1.
int PageNumberFor(int current, int total);
// The page label's text for page n ("Page: " + n).
QString PageLabelText(int n);
// The output scale 1 / (72 / dpi): exactly 1 for 72.
double DpiScale(double dpi);
// The window title for a song title: "Harmonote" when blank, else "Harmonote - " + text as given.
QString WindowTitleFor(const QString& text);
