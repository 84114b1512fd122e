#pragma once
// The page settings of a print: paper size, orientation and margins, kept as a QPageLayout. A new
// setup holds the defaults: US Letter, portrait, a quarter inch (18 points) on every side, so the
// printable area is 576 by 756 points, the preview's size. The setup string is our own readable
// serialisation of those settings.
#include <QPageLayout>
#include <QString>

class PrinterSetup {
 public:
  PrinterSetup();

  const QPageLayout& PageLayout() const { return layout_; }
  void SetPageLayout(const QPageLayout& layout);

  // "paper=Letter;width=612;height=792;orientation=portrait;margins=18,18,18,18" (points; the
  // margins left, top, right, bottom). Reading a string that cannot be parsed keeps the settings
  // as they are and returns false.
  QString SetupString() const;
  bool SetSetupString(const QString& setup);

  // The highest resolution, in dots per inch, that the Print command asks for (96). Nothing reads
  // them: a print job always draws at 72 dots per inch, in the sheet's own units.
  int MaxHorizontalResolution = 0;
  int MaxVerticalResolution = 0;

  // The printable area in points (72 per inch), the size of a printed page's graphics.
  int PageWidth() const;
  int PageHeight() const;

  static QPageLayout DefaultPageLayout();

 private:
  QPageLayout layout_;
};
