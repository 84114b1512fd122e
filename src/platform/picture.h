#pragma once
// An off-screen 32-bit picture, white when made, at 72 dots per inch.
#include <QImage>
#include <memory>

#include "platform/graphics.h"

class Picture {
 public:
  // 1 to 32767 each way, else OutOfBoundsException.
  Picture(int width, int height);
  explicit Picture(QImage image);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

  // A drawing surface on the picture; drawing ends when it is destroyed.
  std::unique_ptr<Graphics> NewGraphics();

  static constexpr int kMaxSide = 32767;
  static constexpr int kDotsPerMeter72 = 2835;

 private:
  QImage image_;
};
