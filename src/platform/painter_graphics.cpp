#include "platform/painter_graphics.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include "platform/errors.h"
#include "platform/font.h"
#include "platform/picture.h"

PainterGraphics::PainterGraphics(QPaintDevice* device, int width, int height, QPagedPaintDevice* pages)
    : device_(device), pages_(pages), width_(width), height_(height) {
  if (!device_) throw NilObjectException(QStringLiteral("No device to draw on"));
  if (!painter_.begin(device_)) throw IOException(QStringLiteral("Drawing could not begin on this device"));
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  applyFont();
  painter_.setPen(QPen(color_, 1.0));
}

PainterGraphics::~PainterGraphics() { End(); }

bool PainterGraphics::End() {
  if (!painter_.isActive()) return true;
  return painter_.end();
}

void PainterGraphics::applyFont() {
  font_ = SheetFont(size_, bold_);
  painter_.setFont(font_);
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
  painter_.drawText(QPointF(x, y), text);
}

double PainterGraphics::StringWidth(const QString& text) {
  return QFontMetricsF(font_, device_).horizontalAdvance(text);
}

double PainterGraphics::StringHeight(const QString& text, double wrapWidth) {
  QFontMetricsF fm(font_, device_);
  if (text.isEmpty()) return fm.height();
  const qreal w = wrapWidth > 0 ? wrapWidth : 1e9;
  QRectF r = fm.boundingRect(QRectF(0, 0, w, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  return std::max<qreal>(r.height(), fm.height());
}

void PainterGraphics::DrawLine(double x1, double y1, double x2, double y2) {
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterGraphics::DrawRect(double x, double y, double w, double h) {
  // A frame whose outer edge is the rectangle's bounds, one unit wide.
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(x, y, w - 1, h - 1));
  painter_.restore();
}

void PainterGraphics::DrawPicture(const Picture& p, double x, double y) {
  painter_.drawImage(QPointF(x, y), p.Image());
}

bool PainterGraphics::NextPage() {
  if (!pages_) return false;
  return pages_->newPage();
}
