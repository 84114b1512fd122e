#include "platform/picture.h"

#include "platform/errors.h"
#include "platform/painter_graphics.h"
#include "platform/strings.h"

Picture::Picture(int width, int height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    throw OutOfBoundsException(QStringLiteral("A picture of %1 by %2 cannot be made").arg(width).arg(height));
  image_ = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
  if (image_.isNull()) throw OutOfBoundsException(QStringLiteral("Out of memory for a picture"));
  image_.setDotsPerMeterX(kDotsPerMeter72);
  image_.setDotsPerMeterY(kDotsPerMeter72);
  image_.fill(Qt::white);
}

Picture::Picture(QImage image) : image_(std::move(image)) {
  if (image_.isNull()) throw NilObjectException(QStringLiteral("No picture"));
}

std::unique_ptr<Graphics> Picture::NewGraphics() {
  return std::make_unique<PainterGraphics>(&image_, image_.width(), image_.height());
}
