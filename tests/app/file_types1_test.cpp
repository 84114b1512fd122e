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
  // The dialogs show the types by their labels; the names stay what the filter texts hold.
  EXPECT_EQ(FileTypeRegistry::QtNameFilters(filter), QStringList({"Song documents and text files (*.hmnt *.txt)",
                                                                  "Song documents (*.hmnt)", "Text files (*.txt)"}));
  EXPECT_EQ(FileTypeRegistry::QtNameFilters("hmnt"), QStringList({"Song documents (*.hmnt)"}));
  EXPECT_EQ(FileTypeRegistry::DefaultExtension("HMNT"), ".hmnt");
  EXPECT_TRUE(FileTypeRegistry::QtNameFilters("Nothing").isEmpty());
}
