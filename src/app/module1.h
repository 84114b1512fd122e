#pragma once
// The program's shared globals. Each starts empty; who sets and reads each is noted beside it.
#include <QString>
#include <memory>
#include <optional>

#include "platform/core/files.h"

class iniClass;

namespace Module1 {
// The settings store; set by App::SetupINI during the application's Open event.
extern std::shared_ptr<iniClass> myINI;
// The last document handed over by the operating system; never cleared once set.
extern std::optional<FolderItem> gOpenThisFile;
// The page-break marker, "+++++" from the application's Open event on.
extern QString newPageSymbol;
// Search text and replacement text handed back by the Search and Replace dialogs.
extern QString gString;
extern QString gString2;
}  // namespace Module1
