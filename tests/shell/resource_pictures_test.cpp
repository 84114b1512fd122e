#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#include "support/doubles/resources_elsewhere.h"
#include "shell/resource_pictures.h"

namespace {

using Accessor = std::shared_ptr<Picture> (*)();

const struct {
  Accessor accessor;
  const char* file;
  int side;
} kPictures[] = {{Chord_32, "Chord_32.bmp", 32},         {Caption_32, "Caption_32.bmp", 32},
                 {Paragraph_32, "Paragraph_32.bmp", 32}, {Frets_32, "Frets_32.bmp", 32},
                 {Bold_32, "Bold_32.bmp", 32},           {Column_32, "Column_32.bmp", 32},
                 {Page_32, "Page_32.bmp", 32},           {Slider16, "Slider16.png", 16}};

class ResourcePicturesTest : public ::testing::Test {
 protected:
  void SetUp() override { ReleaseResourcePictures(); }
  void TearDown() override { ReleaseResourcePictures(); }
  void Bring(const char* file) {
    ASSERT_TRUE(QFile::copy(QString(HARMONOTE_RESOURCES_DIR) + "/" + file, folder.filePath(file)));
  }
  QTemporaryDir folder;
  ResourcesElsewhere resources{folder.path()};
};

TEST_F(ResourcePicturesTest, EachFileIsLoadedOnceAndServesEveryCaller) {
  for (const auto& p : kPictures) {
    SCOPED_TRACE(p.file);
    Bring(p.file);
    const std::shared_ptr<Picture> first = p.accessor();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Width(), p.side);
    EXPECT_EQ(first->Height(), p.side);
    ASSERT_TRUE(QFile::remove(folder.filePath(p.file)));  // the file is not read again
    EXPECT_EQ(p.accessor(), first);
    EXPECT_FALSE(IconOf(first).isNull());
  }
}

TEST_F(ResourcePicturesTest, AMissingFileGivesNullAndIsTriedAgain) {
  for (const auto& p : kPictures) {
    SCOPED_TRACE(p.file);
    EXPECT_FALSE(p.accessor());
    EXPECT_TRUE(IconOf(p.accessor()).isNull());
    Bring(p.file);
    EXPECT_TRUE(p.accessor());
  }
  // A file that is there but not a picture gives null too.
  ReleaseResourcePictures();
  QFile::remove(folder.filePath("Bold_32.bmp"));
  QFile junk(folder.filePath("Bold_32.bmp"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("not a picture");
  junk.close();
  EXPECT_FALSE(Bold_32());
  EXPECT_TRUE(Chord_32());
}

// The files are drawn on white; on a dark style a white square would show around each picture.
TEST_F(ResourcePicturesTest, TheWhiteOfEveryPictureIsTransparentAndOverWhiteItIsTheFile) {
  for (const auto& p : kPictures) {
    SCOPED_TRACE(p.file);
    Bring(p.file);
    const std::shared_ptr<Picture> picture = p.accessor();
    ASSERT_TRUE(picture);
    const QImage& image = picture->Image();
    ASSERT_TRUE(image.hasAlphaChannel());
    const int last = p.side - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
      EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    // Laid over white again, every pixel is the file's, and the ink stays nearly opaque.
    const QImage file = QImage(folder.filePath(p.file)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(file.size(), image.size());
    int mismatches = 0, strongest = 0;
    for (int y = 0; y < p.side; ++y)
      for (int x = 0; x < p.side; ++x) {
        const QRgb shown = image.pixel(x, y), drawn = file.pixel(x, y);
        const int a = qAlpha(shown);
        strongest = std::max(strongest, a);
        const auto overWhite = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
        if (std::abs(overWhite(qRed(shown)) - qRed(drawn)) > 1 ||
            std::abs(overWhite(qGreen(shown)) - qGreen(drawn)) > 1 ||
            std::abs(overWhite(qBlue(shown)) - qBlue(drawn)) > 1)
          ++mismatches;
      }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(strongest, 200);
  }
}

// A soft edge is the ink laid thinly over white: it keeps the ink's colour at a lower opacity,
// so that over a dark background it darkens instead of showing a light fringe.
TEST_F(ResourcePicturesTest, ASoftEdgeKeepsTheInksColourWithoutALightFringe) {
  QImage drawn(3, 1, QImage::Format_RGB32);
  const QColor ink(0x20, 0x30, 0x60);
  drawn.setPixel(0, 0, qRgb(255, 255, 255));
  drawn.setPixel(1, 0, ink.rgb());
  drawn.setPixel(2, 0, qRgb((0x20 + 255) / 2, (0x30 + 255) / 2, (0x60 + 255) / 2));  // half ink, half white
  ASSERT_TRUE(drawn.save(folder.filePath("Bold_32.bmp"), "BMP"));
  const std::shared_ptr<Picture> picture = Bold_32();
  ASSERT_TRUE(picture);
  const QRgb white = picture->Image().pixel(0, 0), solid = picture->Image().pixel(1, 0),
             edge = picture->Image().pixel(2, 0);
  EXPECT_EQ(qAlpha(white), 0);
  EXPECT_NEAR(qAlpha(edge), qAlpha(solid) / 2, 2);
  EXPECT_NEAR(qRed(edge), qRed(solid), 3);
  EXPECT_NEAR(qGreen(edge), qGreen(solid), 3);
  EXPECT_NEAR(qBlue(edge), qBlue(solid), 3);
  // Over black, the edge is darker than the solid ink over white.
  const auto overBlack = [](QRgb c) {
    return qGray(qRed(c) * qAlpha(c) / 255, qGreen(c) * qAlpha(c) / 255, qBlue(c) * qAlpha(c) / 255);
  };
  EXPECT_LT(overBlack(edge), qGray(ink.rgb()));
}

}  // namespace
