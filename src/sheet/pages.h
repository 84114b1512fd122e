#pragma once
// The page rule of the song text, and the small window-state rules built on it.
#include <QString>
#include <QStringView>
#include <vector>

// The number of pages: 1 for an empty text, else the number of pieces between page-break markers.
int CountPages(const QString& song, const QString& marker);
// The same, told where the marker stands in the song (as PageBreaks keeps it), so that the text
// is not walked.
int CountPages(const QString& song, const QString& marker, const std::vector<qsizetype>& at);
// The page to show for a current page number: lowered to the page count when pages have gone,
// and never below 1.
int PageNumberFor(int current, int total);
// The page label's text for page n ("Page: " + n).
QString PageLabelText(int n);
// The output scale 1 / (72 / dpi): exactly 1 for 72.
double DpiScale(double dpi);
// The window title for a song title: "Harmonote" when blank, else "Harmonote - " + text as given.
QString WindowTitleFor(const QString& text);

// The number of pieces the song text falls into at the marker, empty pieces included: 0 for an
// empty text, 1 for a text without the marker (or an empty marker). Letter case counts.
int CountPieces(const QString& song, const QString& marker);
int CountPieces(const QString& song, const QString& marker, const std::vector<qsizetype>& at);

// The page a page number reads. With two or more pieces, a number past the last reads the last
// piece and a number below 1 the first; with one piece or none, the whole text is the page
// whatever the number. text is the piece with white space trimmed from both ends: a view of the
// song's own characters (nothing is copied), valid while the song is neither changed nor gone.
struct SongPage {
  int pieces = 0;  // as CountPieces
  int number = 1;  // the page read: 1 to pieces (1 with fewer than two pieces)
  QStringView text;
};
SongPage FindPage(const QString& song, const QString& marker, int page);
SongPage FindPage(const QString& song, const QString& marker, int page, const std::vector<qsizetype>& at);
