#include "platform/desktop/picture_measure.h"

#include <memory>

#include "platform/core/graphics.h"
#include "platform/desktop/picture.h"

std::function<double(const QString&)> PictureMeasure(int width, int height, double wordSize) {
  struct Surface {
    Picture picture;
    std::unique_ptr<Graphics> g;
    Surface(int w, int h) : picture(w, h), g(picture.NewGraphics()) {}
  };
  auto s = std::make_shared<Surface>(width, height);
  s->g->Bold(false);
  s->g->TextSize(wordSize);
  return [s](const QString& text) { return s->g->StringWidth(text); };
}
