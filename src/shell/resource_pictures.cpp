#include "shell/resource_pictures.h"

#include <QImage>
#include <QPixmap>

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
  QImage image(file.Path());
  if (image.isNull()) return nullptr;
  return std::make_shared<Picture>(std::move(image));
}

std::shared_ptr<Picture> Chord_32() { return Cached(g_caches[0]); }
std::shared_ptr<Picture> Caption_32() { return Cached(g_caches[1]); }
std::shared_ptr<Picture> Paragraph_32() { return Cached(g_caches[2]); }
std::shared_ptr<Picture> Frets_32() { return Cached(g_caches[3]); }
std::shared_ptr<Picture> Bold_32() { return Cached(g_caches[4]); }
std::shared_ptr<Picture> Column_32() { return Cached(g_caches[5]); }
std::shared_ptr<Picture> Page_32() { return Cached(g_caches[6]); }
std::shared_ptr<Picture> Slider16() { return Cached(g_caches[7]); }

QIcon IconOf(const std::shared_ptr<Picture>& picture) {
  if (!picture) return QIcon();
  return QIcon(QPixmap::fromImage(picture->Image()));
}

void ReleaseResourcePictures() {
  for (PictureCache& cache : g_caches) cache.pic.reset();
  g_releaseRegistered = false;
}
