#include "platform/desktop/picture_measure.h"

#include <memory>

#include "platform/core/graphics.h"
#include "platform/desktop/picture.h"

namespace {
struct Surface {
  Picture picture;
  std::unique_ptr<Graphics> g;
  Surface(int w, int h) : picture(w, h), g(picture.NewGraphics()) {}
};
}  // namespace

std::function<double(const QString&)> PictureMeasure(int width, int height, double wordSize) {
  auto s = std::make_shared<Surface>(width, height);
  s->g->Bold(false);
  s->g->TextSize(wordSize);
  return [s](const QString& text) { return s->g->StringWidth(text); };
}

std::function<bool(const QString&)> PictureFaceCovers(double wordSize) {
  auto s = std::make_shared<Surface>(1, 1);
  s->g->Bold(false);
  s->g->TextSize(wordSize);
  return [s](const QString& text) { return s->g->FaceCovers(text); };
}
