#include <gtest/gtest.h>

#include "app/file_types1.h"

TEST(FileTypes1, TwoTypesInOrderWithTheirFilters) {
  FileTypes1::_Initialize();
  ASSERT_TRUE(FileTypes1::HMNT());
  EXPECT_EQ(FileTypes1::HMNT(), FileTypes1::HMNT());
  EXPECT_EQ(FileTypes1::HMNT()->Name, "HMNT");
  EXPECT_EQ(FileTypes1::HMNT()->Extensions, ".hmnt");
  EXPECT_TRUE(FileTypes1::HMNT()->Imported);
  EXPECT_EQ(FileTypes1::Text()->Name, "Text");
  EXPECT_EQ(FileTypes1::Text()->Extensions, ".txt");
  ASSERT_EQ(FileTypes1::pAllFileTypes.size(), 2u);
  EXPECT_EQ(FileTypes1::pAllFileTypes[0], FileTypes1::HMNT());
  EXPECT_EQ(FileTypes1::pAllFileTypes[1], FileTypes1::Text());

  const QString filter = *FileTypes1::HMNT() + *FileTypes1::Text();
  EXPECT_EQ(filter, "HMNT;Text");
  EXPECT_EQ(FileTypes1::HMNT()->ToString(), "HMNT");
  EXPECT_EQ(FileTypeRegistry::QtNameFilters(filter),
            QStringList({"HMNT, Text (*.[hH][mM][nN][tT] *.[tT][xX][tT])", "HMNT (*.[hH][mM][nN][tT])",
                         "Text (*.[tT][xX][tT])"}));
  EXPECT_EQ(FileTypeRegistry::QtNameFilters("HMNT"), QStringList({"HMNT (*.[hH][mM][nN][tT])"}));
  EXPECT_EQ(FileTypeRegistry::DefaultExtension("HMNT"), ".hmnt");
  EXPECT_TRUE(FileTypeRegistry::QtNameFilters("Nothing").isEmpty());
}
