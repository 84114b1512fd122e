#include <gtest/gtest.h>

#include "app/file_types1.h"

TEST(FileTypes1, TwoTypesInOrderAsTheFileDialogsOfferThem) {
  FileTypes1::_Initialize();
  ASSERT_TRUE(FileTypes1::HMNT() && FileTypes1::Text());
  EXPECT_EQ(FileTypes1::HMNT(), FileTypes1::HMNT());
  ASSERT_EQ(FileTypes1::pAllFileTypes.size(), 2u);
  EXPECT_EQ(FileTypes1::pAllFileTypes[0], FileTypes1::HMNT());
  EXPECT_EQ(FileTypes1::pAllFileTypes[1], FileTypes1::Text());

  // The filter text names both types; the dialogs show them by their labels and extensions.
  const QString filter = *FileTypes1::HMNT() + *FileTypes1::Text();
  EXPECT_EQ(filter, "HMNT;Text");
  EXPECT_EQ(FileTypeRegistry::QtNameFilters(filter), QStringList({"Song documents and text files (*.hmnt *.txt)",
                                                                  "Song documents (*.hmnt)", "Text files (*.txt)"}));
  EXPECT_EQ(FileTypeRegistry::QtNameFilters("hmnt"), QStringList({"Song documents (*.hmnt)"}));
  EXPECT_EQ(FileTypeRegistry::DefaultExtension("HMNT"), ".hmnt");
  EXPECT_EQ(FileTypeRegistry::DefaultExtension("Text"), ".txt");
  EXPECT_TRUE(FileTypeRegistry::QtNameFilters("Nothing").isEmpty());
}
