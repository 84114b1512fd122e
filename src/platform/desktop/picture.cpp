#include "platform/desktop/picture.h"

#include <cmath>
#include <cstring>

#include "platform/core/errors.h"
#include "platform/core/strings.h"
#include "platform/desktop/painter_graphics.h"

Picture::Picture(int width, int height, double ratio) : width_(width), height_(height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    throw OutOfBoundsException(QStringLiteral("A picture of %1 by %2 cannot be made").arg(width).arg(height));
  if (!(ratio > 0) || !std::isfinite(ratio)) ratio = 1.0;
  image_ = QImage(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)), QImage::Format_ARGB32_Premultiplied);
  if (image_.isNull()) throw OutOfBoundsException(QStringLiteral("Out of memory for a picture"));
  // Painting on the image draws in sheet units, scaled by the ratio; text sizes follow its
  // 72 dots per inch.
  image_.setDevicePixelRatio(ratio);
  image_.setDotsPerMeterX(kDotsPerMeter72);
  image_.setDotsPerMeterY(kDotsPerMeter72);
  image_.fill(Qt::white);
}

Picture::Picture(QImage image) : image_(std::move(image)) {
  if (image_.isNull()) throw NilObjectException(QStringLiteral("No picture"));
  const QSizeF size = image_.deviceIndependentSize();
  width_ = int(std::lround(size.width()));
  height_ = int(std::lround(size.height()));
}

std::unique_ptr<Graphics> Picture::NewGraphics() { return std::make_unique<PainterGraphics>(&image_, width_, height_); }

QRect ChangedRows(const QImage& before, const QImage& after) {
  const double ratio = after.devicePixelRatio();
  const QRect whole(QPoint(0, 0), after.deviceIndependentSize().toSize());
  if (before.size() != after.size() || before.format() != after.format() || before.devicePixelRatio() != ratio)
    return whole;
  const qsizetype bytes = after.bytesPerLine();
  const auto same = [&](int y) { return std::memcmp(before.constScanLine(y), after.constScanLine(y), bytes) == 0; };
  int top = 0, bottom = after.height() - 1;
  while (top <= bottom && same(top)) ++top;
  if (top > bottom) return {};
  while (same(bottom)) --bottom;
  const int from = static_cast<int>(std::floor(top / ratio)), to = static_cast<int>(std::ceil((bottom + 1) / ratio));
  return QRect(0, from, whole.width(), to - from);
}
