// Draws the toolbar and menu pictures into Resources/. Run by hand when the artwork changes:
//   g++ -std=c++20 -fPIC scripts/draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/draw_icons
//   QT_QPA_PLATFORM=offscreen /tmp/draw_icons Resources
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kInk(0x20, 0x30, 0x60);
const QColor kAccent(0x1c, 0x6e, 0xc8);

void Save(const QString& folder, const QString& name, int side, const std::function<void(QPainter&)>& draw) {
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  draw(p);
  p.end();
  image.save(folder + QLatin1Char('/') + name);
}

void Text(QPainter& p, const QRect& box, const QString& text, int pixels, bool bold, const QColor& color) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  p.setFont(font);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Resources");

  Save(out, "Chord_32.bmp", 32, [](QPainter& p) {
    Text(p, QRect(-10, 0, 32, 32), "[", 24, false, kInk);
    Text(p, QRect(10, 0, 32, 32), "]", 24, false, kInk);
    Text(p, QRect(0, 0, 32, 32), "C", 18, true, kAccent);
  });
  Save(out, "Caption_32.bmp", 32, [](QPainter& p) {
    Text(p, QRect(-9, 0, 32, 32), "{", 24, false, kInk);
    Text(p, QRect(9, 0, 32, 32), "}", 24, false, kInk);
    p.fillRect(QRect(11, 12, 10, 3), kAccent);
    p.fillRect(QRect(11, 18, 10, 3), kAccent);
  });
  Save(out, "Paragraph_32.bmp", 32,
       [](QPainter& p) { Text(p, QRect(0, 0, 32, 32), QString(QChar(0x00B6)), 26, true, kAccent); });
  Save(out, "Frets_32.bmp", 32, [](QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    for (int s = 0; s < 4; ++s) p.drawLine(QPointF(8 + s * 5.33, 6), QPointF(8 + s * 5.33, 27));
    p.setPen(QPen(kInk, 3));
    p.drawLine(QPointF(7, 6), QPointF(25, 6));
    p.setPen(QPen(kInk, 1.2));
    for (int f = 1; f < 4; ++f) p.drawLine(QPointF(8, 6 + f * 7), QPointF(24, 6 + f * 7));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(13.33, 9.5), 2.4, 2.4);
    p.drawEllipse(QPointF(18.66, 16.5), 2.4, 2.4);
    p.drawEllipse(QPointF(24, 16.5), 2.4, 2.4);
  });
  Save(out, "Bold_32.bmp", 32, [](QPainter& p) { Text(p, QRect(0, 0, 32, 32), "B", 26, true, kInk); });
  Save(out, "Column_32.bmp", 32, [](QPainter& p) {
    for (int row = 0; row < 5; ++row) {
      p.fillRect(QRect(4, 6 + row * 4, 10, 2), kInk);
      p.fillRect(QRect(18, 6 + row * 4, 10, 2), kAccent);
    }
    p.setPen(QPen(kInk, 1, Qt::DotLine));
    p.drawLine(16, 4, 16, 28);
  });
  Save(out, "Page_32.bmp", 32, [](QPainter& p) {
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf2, 0xf6, 0xfc));
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
    for (int row = 0; row < 4; ++row) p.fillRect(QRect(10, 13 + row * 4, 13, 2), kAccent);
  });
  Save(out, "Slider16.png", 16, [](QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    const int rows[] = {3, 8, 13};
    const int knobs[] = {5, 11, 7};
    for (int i = 0; i < 3; ++i) {
      p.drawLine(QPointF(1.5, rows[i]), QPointF(14.5, rows[i]));
      p.setBrush(kAccent);
      p.drawRoundedRect(QRectF(knobs[i] - 2, rows[i] - 2, 4, 4), 1, 1);
    }
  });
  return 0;
}
