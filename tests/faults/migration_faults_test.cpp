// Copying the old settings folder on a full or failing disk: nothing half-copied is left, the old
// folder stays, and start-up goes on.
#include "app/app.h"
#include "app/settings_folder_fixture.h"
#include "faults/fault_env.h"

namespace {

class MigrationFaults : public SettingsFolderTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(MigrationFaults, LeaveNothingHalfCopied) {
  REQUIRE_FAULT_SHIM();
  Write(OldFolder() + "/Harmonote.ini", "[Toolbar]\rVisible=0\r");
  Write(OldFolder() + "/sub/more.txt", "more");
  QDir().mkpath(AppData());
  testing::internal::CaptureStderr();
  {
    FaultScope fault(QFileInfo(AppData()).canonicalFilePath(), GetParam());
    EXPECT_NO_THROW(App().SetupINI());
  }
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find(GetParam().reason), std::string::npos) << errors;
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + ".partial"));
  EXPECT_FALSE(QFileInfo::exists(NewFolder() + "/Harmonote.ini"));
  EXPECT_EQ(Read(OldFolder() + "/Harmonote.ini"), QByteArray("[Toolbar]\rVisible=0\r"));
}

INSTANTIATE_TEST_SUITE_P(EveryCall, MigrationFaults, ::testing::ValuesIn(kFaults));

}  // namespace
