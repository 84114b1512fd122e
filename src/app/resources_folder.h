#pragma once
// The application's own resource files: the folder "Resources" beside the executable's parent
// folder (<bin>/../Resources), or the installed place <bin>/../share/harmonote/Resources.
#include <QString>

#include "platform/core/files.h"

// The first of the two places that exists; the first place when neither does.
FolderItem ResourcesFolder();
// The same rule for an executable in executableFolder.
FolderItem ResourcesFolderFor(const FolderItem& executableFolder);
// Points ResourcesFolder at path ("" goes back to the places beside the executable).
void SetResourcesFolderForTests(const QString& path);
