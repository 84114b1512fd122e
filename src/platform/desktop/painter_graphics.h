#pragma once
// Graphics over a QPainter on any 72-dpi paint device: a picture or a printer.
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QStaticText>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/core/graphics.h"

class QPagedPaintDevice;

class PainterGraphics : public Graphics {
 public:
  // Begins painting on device; width and height are the surface size in units. pages, when
  // given, is the device to call newPage() on, and every page is clipped to width by height.
  // Throws IOException when painting cannot begin.
  PainterGraphics(QPaintDevice* device, int width, int height, QPagedPaintDevice* pages = nullptr);
  ~PainterGraphics() override;

  void ForeColor(const QColor& c) override;
  QColor ForeColor() const override { return color_; }
  void TextSize(double size) override;
  double TextSize() const override { return size_; }
  void Bold(bool on) override;
  bool Bold() const override { return bold_; }

  void DrawString(const QString& text, double x, double y) override;
  double StringWidth(const QString& text) override;
  double StringHeight(const QString& text, double wrapWidth) override;
  bool FaceCovers(const QString& text) override;
  double InkRise(const QString& text) override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawRect(double x, double y, double w, double h) override;
  void DrawPicture(const Picture& p, double x, double y) override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool NextPage() override;

  QPainter& Painter() { return painter_; }
  // Ends painting (also done by the destructor); false when the device reported a failure.
  bool End();

 private:
  void applyFont();
  void clipToPage();
  void drawPrintedString(const QString& text, double x, double y);
  struct FontEntry {
    QFont font;
    QFontMetricsF metrics;
    QHash<QString, QStaticText> texts;   // laid-out text, reused for repeated words
    QHash<QString, double> widths;       // measured text
    QHash<QString, double> rises;        // how far measured text rises above its baseline
    std::unique_ptr<QRawFont> face;      // the face itself, without fallbacks
    std::vector<unsigned char> covered;  // per character of the basic plane: 0 not yet asked, 1 yes, 2 no
  };
  // One font, its metrics and its laid-out texts per text size, bold state and device
  // resolution, kept for the whole run (drawing happens on the main thread only).
  FontEntry& entryFor(double size, bool bold);

  QPaintDevice* device_;
  QPagedPaintDevice* pages_;
  QPainter painter_;
  int width_;
  int height_;
  double ratio_ = 1.0;  // the device's pixels per unit
  QColor color_{Qt::black};
  double size_ = 12.0;
  bool bold_ = false;
  FontEntry* current_ = nullptr;
  // On a printer, laid-out texts per font for this device's life (one print job): a printer's
  // paint engine lays a static text out again at every draw, so the layout itself is kept.
  std::unordered_map<const FontEntry*, QHash<QString, std::shared_ptr<QTextLayout>>> printLayouts_;
};
