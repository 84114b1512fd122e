#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/resource_pictures.h"

namespace {

using Accessor = std::shared_ptr<Picture> (*)();

const struct {
  Accessor accessor;
  const char* file;
  int side;
} kPictures[] = {{Chord_32, "Chord_32.bmp", 32},   {Caption_32, "Caption_32.bmp", 32},
                 {Paragraph_32, "Paragraph_32.bmp", 32}, {Frets_32, "Frets_32.bmp", 32},
                 {Bold_32, "Bold_32.bmp", 32},     {Column_32, "Column_32.bmp", 32},
                 {Page_32, "Page_32.bmp", 32},     {Slider16, "Slider16.png", 16}};

class ResourcePicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReleaseResourcePictures();
    SetResourcesFolderForTests(folder.path());
  }
  void TearDown() override {
    SetResourcesFolderForTests("");
    ReleaseResourcePictures();
  }
  void Bring(const char* file) {
    ASSERT_TRUE(QFile::copy(QString(HARMONOTE_RESOURCES_DIR) + "/" + file, folder.filePath(file)));
  }
  QTemporaryDir folder;
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

}  // namespace
