#include "platform/desktop/painter_graphics.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "platform/core/errors.h"
#include "platform/desktop/font.h"
#include "platform/desktop/picture.h"

namespace {
// A line width that never breaks a line of the sheet, and that a text layout still takes.
constexpr int kUnboundedLineWidth = std::numeric_limits<int>::max() / 256;
}  // namespace

PainterGraphics::PainterGraphics(QPaintDevice* device, int width, int height, QPagedPaintDevice* pages)
    : device_(device), pages_(pages), width_(width), height_(height) {
  if (!device_) throw NilObjectException(QStringLiteral("No device to draw on"));
  ratio_ = device_->devicePixelRatio();
  if (!painter_.begin(device_)) throw IOException(QStringLiteral("Drawing could not begin on this device"));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  applyFont();
  painter_.setPen(QPen(color_, 1.0));
  clipToPage();
}

PainterGraphics::~PainterGraphics() { End(); }

bool PainterGraphics::End() {
  if (!painter_.isActive()) return true;
  return painter_.end();
}

PainterGraphics::FontEntry& PainterGraphics::entryFor(double size, bool bold) {
  // The device pixel ratio too: laid-out texts are kept for the resolution they were laid out at.
  struct Key {
    double size;
    bool bold;
    int dpi;
    double ratio;
    bool operator==(const Key& o) const { return size == o.size && bold == o.bold && dpi == o.dpi && ratio == o.ratio; }
  };
  struct KeyHash {
    size_t operator()(const Key& k) const {
      return qHash(k.size) ^ (size_t(k.bold) << 1) ^ (size_t(k.dpi) << 2) ^ (qHash(k.ratio) << 3);
    }
  };
  static std::unordered_map<Key, std::shared_ptr<FontEntry>, KeyHash> cache;
  auto& slot = cache[Key{size, bold, device_->logicalDpiY(), ratio_}];
  if (!slot) {
    QFont f = SheetFont(size, bold);
    slot = std::make_shared<FontEntry>(FontEntry{f, QFontMetricsF(f, device_), {}, {}, {}, {}, {}});
  }
  return *slot;
}

void PainterGraphics::applyFont() {
  current_ = &entryFor(size_, bold_);
  painter_.setFont(current_->font);
}

void PainterGraphics::ForeColor(const QColor& c) {
  color_ = c;
  painter_.setPen(QPen(color_, 1.0));
}

void PainterGraphics::TextSize(double size) {
  if (size == size_) return;
  size_ = size;
  applyFont();
}

void PainterGraphics::Bold(bool on) {
  if (on == bold_) return;
  bold_ = on;
  applyFont();
}

void PainterGraphics::DrawString(const QString& text, double x, double y) {
  if (text.isEmpty()) return;
  if (pages_) {
    drawPrintedString(text, x, y);
    return;
  }
  auto& texts = current_->texts;
  auto it = texts.find(text);
  if (it == texts.end()) {
    if (texts.size() > 4096) texts.clear();
    QStaticText st(text);
    st.setTextFormat(Qt::PlainText);
    st.setPerformanceHint(QStaticText::AggressiveCaching);
    st.prepare(painter_.transform(), current_->font);
    it = texts.insert(text, st);
  }
  // A static text is placed by its top left corner; y is the baseline.
  painter_.drawStaticText(QPointF(x, y - current_->metrics.ascent()), *it);
}

void PainterGraphics::drawPrintedString(const QString& text, double x, double y) {
  // Laid out as a static text lays itself out when drawn on a printer (in the painter's font for
  // the device, one unbounded line, leading included, at the top left), once per text and font.
  auto& layouts = printLayouts_[current_];
  auto it = layouts.find(text);
  if (it == layouts.end()) {
    auto layout = std::make_shared<QTextLayout>(text, painter_.font());
    layout->setCacheEnabled(true);
    layout->beginLayout();
    qreal height = 0;
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLeadingIncluded(true);
      line.setLineWidth(kUnboundedLineWidth);
      line.setPosition(QPointF(0.0, height));
      height += line.height();
      if (line.leading() < 0) height += std::ceil(line.leading());
    }
    layout->endLayout();
    it = layouts.insert(text, layout);
  }
  (*it)->draw(&painter_, QPointF(x, y - current_->metrics.ascent()));
}

double PainterGraphics::StringWidth(const QString& text) {
  // Measuring shapes the text; a sheet measures the same words over and over.
  auto& widths = current_->widths;
  auto it = widths.find(text);
  if (it == widths.end()) {
    if (widths.size() > 16384) widths.clear();
    it = widths.insert(text, current_->metrics.horizontalAdvance(text));
  }
  return *it;
}

double PainterGraphics::StringHeight(const QString& text, double wrapWidth) {
  const QFontMetricsF& fm = current_->metrics;
  if (text.isEmpty()) return fm.height();
  const qreal w = wrapWidth > 0 ? wrapWidth : 1e9;
  QRectF r = fm.boundingRect(QRectF(0, 0, w, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  return std::max<qreal>(r.height(), fm.height());
}

bool PainterGraphics::FaceCovers(const QString& text) {
  FontEntry& e = *current_;
  if (!e.face) {
    e.face = std::make_unique<QRawFont>(QRawFont::fromFont(e.font, QFontDatabase::Any));
    e.covered.assign(0x10000, 0);
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
      if (!e.face->supportsCharacter(QChar::surrogateToUcs4(u, text[++i].unicode()))) return false;
      continue;
    }
    unsigned char& known = e.covered[u];
    if (known == 0) known = e.face->supportsCharacter(char32_t(u)) ? 1 : 2;
    if (known == 2) return false;
  }
  return true;
}

double PainterGraphics::InkRise(const QString& text) {
  // The glyphs as shaped, each in the face that draws it, with the offsets that stack marks: the
  // font's ascent says nothing about how high a pile of accents reaches.
  auto& rises = current_->rises;
  auto it = rises.find(text);
  if (it != rises.end()) return *it;
  QTextLayout layout(text, current_->font, device_);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
    line.setLineWidth(kUnboundedLineWidth);
  layout.endLayout();
  double rise = 0;
  if (layout.lineCount() > 0) {
    const double baseline = layout.lineAt(0).y() + layout.lineAt(0).ascent();
    for (const QGlyphRun& run : layout.glyphRuns()) {
      const QRawFont face = run.rawFont();
      const QList<quint32> glyphs = run.glyphIndexes();
      const QList<QPointF> positions = run.positions();
      for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
        const QRectF ink = face.boundingRect(glyphs[i]);
        if (!ink.isEmpty()) rise = std::max(rise, baseline - (positions[i].y() + ink.top()));
      }
    }
  }
  if (rises.size() > 16384) rises.clear();
  rises.insert(text, rise);
  return rise;
}

void PainterGraphics::DrawLine(double x1, double y1, double x2, double y2) {
  // Straight lines stay crisp: one unit wide on the unit they start in, not smeared over two.
  if (ratio_ != 1.0 && (x1 == x2 || y1 == y2)) {
    // On a high-resolution picture the unit is filled, so that the line covers the same units as
    // at ratio 1 (a pen would centre it on the unit's edge).
    painter_.fillRect(QRectF(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1), color_);
    return;
  }
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, x1 != x2 && y1 != y2);
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  painter_.restore();
}

void PainterGraphics::DrawRect(double x, double y, double w, double h) {
  // A frame whose outer edge is the rectangle's bounds, one unit wide.
  if (ratio_ != 1.0) {
    if (w <= 0 || h <= 0) return;
    painter_.fillRect(QRectF(x, y, w, 1), color_);
    painter_.fillRect(QRectF(x, y + h - 1, w, 1), color_);
    painter_.fillRect(QRectF(x, y, 1, h), color_);
    painter_.fillRect(QRectF(x + w - 1, y, 1, h), color_);
    return;
  }
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(x, y, w - 1, h - 1));
  painter_.restore();
}

void PainterGraphics::DrawPicture(const Picture& p, double x, double y) {
  painter_.drawImage(QPointF(x, y), p.Image());
}

void PainterGraphics::clipToPage() {
  // A printer's device reaches past the printable area into the paper's margins, where nothing
  // of the sheet belongs: a printed page shows what the preview's picture shows, and no more.
  if (pages_) painter_.setClipRect(QRectF(0, 0, width_, height_));
}

bool PainterGraphics::NextPage() {
  if (!pages_) return false;
  if (!pages_->newPage()) return false;
  clipToPage();
  return true;
}
