#include "shell/resource_pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <utility>

#include "app/shutdown_routines.h"

namespace {

struct PictureCache {
  const char* fileName;
  std::shared_ptr<Picture> pic;
};

PictureCache g_caches[] = {{"Chord_32.bmp", nullptr}, {"Caption_32.bmp", nullptr}, {"Paragraph_32.bmp", nullptr},
                           {"Frets_32.bmp", nullptr}, {"Bold_32.bmp", nullptr},    {"Column_32.bmp", nullptr},
                           {"Page_32.bmp", nullptr},  {"Slider16.png", nullptr}};

bool g_releaseRegistered = false;

// The picture files are drawn on white. Each pixel is taken as some colour laid over white with
// the least opacity that gives it: white becomes fully transparent, the soft edges keep their
// colour without a light fringe, and the picture laid over white again is the file as it was.
QImage WithoutWhite(const QImage& file) {
  QImage image = file.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = row[x];
      const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
      const int alpha = std::max({255 - r, 255 - g, 255 - b}) * qAlpha(pixel) / 255;
      if (alpha == 0) {
        row[x] = qRgba(0, 0, 0, 0);
        continue;
      }
      const auto unmix = [alpha](int c) { return std::clamp(255 - ((255 - c) * 255 + alpha / 2) / alpha, 0, 255); };
      row[x] = qRgba(unmix(r), unmix(g), unmix(b), alpha);
    }
  }
  return image;
}

std::shared_ptr<Picture> Cached(PictureCache& cache) {
  if (cache.pic) return cache.pic;
  if (!g_releaseRegistered) {
    AddShutdownRoutine(ReleaseResourcePictures);
    g_releaseRegistered = true;
  }
  cache.pic = OpenPictureFromApp(QString::fromLatin1(cache.fileName));
  return cache.pic;
}

}  // namespace

std::shared_ptr<Picture> OpenPictureFromApp(const QString& fileName) {
  const FolderItem file = ResourcesFolder().Child(fileName);
  if (!file.IsRegularFile()) return nullptr;
  const QImage image(file.Path());
  if (image.isNull()) return nullptr;
  return std::make_shared<Picture>(WithoutWhite(image));
}

std::shared_ptr<Picture> Chord_32() { return Cached(g_caches[0]); }
std::shared_ptr<Picture> Caption_32() { return Cached(g_caches[1]); }
std::shared_ptr<Picture> Paragraph_32() { return Cached(g_caches[2]); }
std::shared_ptr<Picture> Frets_32() { return Cached(g_caches[3]); }
std::shared_ptr<Picture> Bold_32() { return Cached(g_caches[4]); }
std::shared_ptr<Picture> Column_32() { return Cached(g_caches[5]); }
std::shared_ptr<Picture> Page_32() { return Cached(g_caches[6]); }
std::shared_ptr<Picture> Slider16() { return Cached(g_caches[7]); }

namespace {
// The pictures are dark drawings made for a white ground. Under a dark theme each is drawn on a
// light tile of its own, so that it stays visible; under a light theme it is drawn as it is.
class PictureIconEngine : public QIconEngine {
 public:
  explicit PictureIconEngine(QImage image) : image_(std::move(image)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    if (NeedsTile()) {
      painter->save();
      painter->setRenderHint(QPainter::Antialiasing, true);
      painter->setPen(Qt::NoPen);
      painter->setBrush(QColor(0xF4F4F4));
      const double radius = std::max(1.0, rect.width() / 8.0);
      painter->drawRoundedRect(QRectF(rect), radius, radius);
      painter->restore();
    }
    painter->save();
    if (mode == QIcon::Disabled) painter->setOpacity(0.45);
    painter->drawImage(QRectF(rect), image_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return image_.size().scaled(size, Qt::KeepAspectRatio).boundedTo(size);
  }

  QIconEngine* clone() const override { return new PictureIconEngine(image_); }

 private:
  static bool NeedsTile() { return QGuiApplication::palette().color(QPalette::Button).lightness() < 128; }
  QImage image_;
};
}  // namespace

QIcon IconOf(const std::shared_ptr<Picture>& picture) {
  if (!picture) return QIcon();
  return QIcon(new PictureIconEngine(picture->Image()));
}

void ReleaseResourcePictures() {
  for (PictureCache& cache : g_caches) cache.pic.reset();
  g_releaseRegistered = false;
}
