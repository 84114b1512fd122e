// Draws the application icon into packaging/icons/: one set of filled shapes, written out both as
// the scalable harmonote.svg and as harmonote-N.png for every size of the hicolor theme. Run by
// hand when the artwork changes:
//   g++ -std=c++20 -fPIC scripts/draw_app_icon.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/draw_app_icon
//   QT_QPA_PLATFORM=offscreen /tmp/draw_app_icon packaging/icons
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextStream>
#include <QTransform>
#include <vector>

namespace {

constexpr int kSide = 256;  // the drawing's own units: the SVG's view box and the largest PNG
const QColor kInk(0x20, 0x30, 0x60);
const QColor kAccent(0x1c, 0x6e, 0xc8);
const QColor kNote(0xd9, 0x62, 0x2b);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kFold(0xc9, 0xdb, 0xf2);

struct Shape {
  QPainterPath path;
  QColor fill;
};

QPainterPath Rounded(qreal x, qreal y, qreal w, qreal h, qreal r) {
  QPainterPath p;
  p.addRoundedRect(QRectF(x, y, w, h), r, r);
  return p;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath p;
  p.addPolygon(QPolygonF(QList<QPointF>(points)));
  p.closeSubpath();
  return p;
}

// A sheet of paper with a folded corner, chord marks over lines of lyrics, and a note.
std::vector<Shape> Drawing() {
  std::vector<Shape> shapes;
  // The sheet: an ink outline (a filled outer shape with the paper inside it) and the fold.
  shapes.push_back({Polygon({{36, 12}, {178, 12}, {228, 62}, {228, 244}, {36, 244}}), kInk});
  shapes.push_back({Polygon({{48, 24}, {172, 24}, {216, 68}, {216, 232}, {48, 232}}), kPaper});
  shapes.push_back({Polygon({{172, 24}, {172, 68}, {216, 68}}), kFold});
  shapes.push_back({Polygon({{166, 18}, {178, 18}, {178, 62}, {222, 62}, {222, 74}, {166, 74}}), kInk});
  // Chords above lyrics, three rows.
  const struct {
    qreal y;
    qreal lyric;  // the lyric line's length
    std::vector<qreal> chords;
  } rows[] = {{52, 96, {66, 116}}, {112, 140, {66, 146}}, {172, 62, {88}}};
  for (const auto& row : rows) {
    for (qreal x : row.chords) shapes.push_back({Rounded(x, row.y, 30, 18, 6), kAccent});
    shapes.push_back({Rounded(66, row.y + 28, row.lyric, 14, 7), kInk});
  }
  // An eighth note: a tilted head, a stem and a flag.
  QPainterPath head;
  head.addEllipse(QPointF(0, 0), 25, 18);
  shapes.push_back({QTransform().translate(172, 214).rotate(-24).map(head), kNote});
  shapes.push_back({Rounded(186, 120, 12, 96, 4), kNote});
  QPainterPath flag;
  flag.moveTo(186, 120);
  flag.lineTo(198, 120);
  flag.cubicTo(200, 140, 236, 148, 226, 186);
  flag.cubicTo(224, 162, 206, 154, 186, 150);
  flag.closeSubpath();
  shapes.push_back({flag, kNote});
  return shapes;
}

QString Number(qreal v) { return QString::number(v, 'f', 2).remove(QRegularExpression("\\.?0+$")); }

// SVG path data of a painter path: its moves, lines and cubic curves.
QString PathData(const QPainterPath& path) {
  QString d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    const QString point = Number(e.x) + QLatin1Char(',') + Number(e.y);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        if (!d.isEmpty()) d += QLatin1String("Z ");
        d += QLatin1String("M") + point + QLatin1Char(' ');
        break;
      case QPainterPath::LineToElement:
        d += QLatin1String("L") + point + QLatin1Char(' ');
        break;
      case QPainterPath::CurveToElement:
        d += QLatin1String("C") + point + QLatin1Char(' ');
        break;
      case QPainterPath::CurveToDataElement:
        d += point + QLatin1Char(' ');
        break;
    }
  }
  return d + QLatin1Char('Z');
}

bool WriteSvg(const QString& file, const std::vector<Shape>& shapes) {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QTextStream s(&out);
  s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kSide << "\" height=\"" << kSide << "\" viewBox=\"0 0 "
    << kSide << ' ' << kSide << "\">\n";
  for (const Shape& shape : shapes)
    s << "  <path fill=\"" << shape.fill.name() << "\" d=\"" << PathData(shape.path) << "\"/>\n";
  s << "</svg>\n";
  return s.status() == QTextStream::Ok;
}

bool WritePng(const QString& file, const std::vector<Shape>& shapes, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(qreal(side) / kSide, qreal(side) / kSide);
  p.setPen(Qt::NoPen);
  for (const Shape& shape : shapes) p.fillPath(shape.path, shape.fill);
  p.end();
  return image.save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("packaging/icons");
  const std::vector<Shape> shapes = Drawing();
  bool ok = WriteSvg(out + QStringLiteral("/harmonote.svg"), shapes);
  for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
    ok = WritePng(out + QStringLiteral("/harmonote-%1.png").arg(side), shapes, side) && ok;
  return ok ? 0 : 1;
}
