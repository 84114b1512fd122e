#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "platform/core/guard.h"
#include "support/doubles/scripted_dialogs.h"

TEST(ScriptedDialogs, AnswerFromTheirQueuesAndRecord) {
  ScriptedDialogs d;
  EXPECT_EQ(&Dialogs::Current(), &d);
  d.messageAnswers = {DialogButton::Alternate};
  MessageDialogRequest request;
  request.Message = "Save?";
  request.ActionButton = "Save";
  request.AlternateButton = "Discard";
  request.CancelButton = "Cancel";
  EXPECT_EQ(Dialogs::Current().ShowMessageDialog(request), DialogButton::Alternate);
  EXPECT_EQ(Dialogs::Current().ShowMessageDialog(request), DialogButton::Cancel);
  EXPECT_FALSE(Dialogs::Current().GetOpenFolderItem("HMNT;Text", FolderItem()).has_value());
  EXPECT_EQ(d.openFilters, QStringList({"HMNT;Text"}));
  ASSERT_EQ(d.messageDialogs.size(), 2u);
  EXPECT_EQ(d.messageDialogs[0].Message, "Save?");
}

TEST(Guard, ReportsOnceAndGoesOn) {
  ScriptedDialogs d;
  EXPECT_TRUE(Guarded([] {}));
  EXPECT_FALSE(Guarded([] { throw IOException("disk full"); }));
  EXPECT_FALSE(Guarded([] { throw 42; }));
  ASSERT_EQ(d.msgBoxes.size(), 2);
  EXPECT_EQ(d.msgBoxes[0], "An error occurred: disk full");
}
