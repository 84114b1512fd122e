#include "app/module1.h"

#include "app/ini_class.h"

namespace Module1 {
std::shared_ptr<iniClass> myINI;
std::optional<FolderItem> gOpenThisFile;
QString newPageSymbol;
QString gString;
QString gString2;
}  // namespace Module1
