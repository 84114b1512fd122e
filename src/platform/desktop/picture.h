#pragma once
// An off-screen 32-bit picture, white when made, at 72 dots per inch. A picture for a screen whose
// device pixel ratio is above 1 holds that many more pixels each way, so that it is as sharp as
// the screen; its size, and every coordinate drawn on it, stays in sheet units.
#include <QImage>
#include <memory>

#include "platform/core/graphics.h"

class Picture {
 public:
  // width by height sheet units, 1 to 32767 each way, else OutOfBoundsException; ratio is the
  // device pixel ratio of the screen it is shown on (a ratio that is not above 0 counts as 1).
  Picture(int width, int height, double ratio = 1.0);
  explicit Picture(QImage image);

  // The size in sheet units; the image itself is Ratio() times larger.
  int Width() const { return width_; }
  int Height() const { return height_; }
  double Ratio() const { return image_.devicePixelRatio(); }
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

  // A drawing surface on the picture, in sheet units; drawing ends when it is destroyed.
  std::unique_ptr<Graphics> NewGraphics();

  static constexpr int kMaxSide = 32767;
  static constexpr int kDotsPerMeter72 = 2835;

 private:
  QImage image_;
  int width_ = 0;
  int height_ = 0;
};

// The rows in which two images differ, as a band across the whole width in the units of after
// (its pixels divided by its device pixel ratio, rounded outwards); empty when they are alike,
// the whole of after when their sizes, formats or ratios differ.
QRect ChangedRows(const QImage& before, const QImage& after);
