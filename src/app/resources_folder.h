#pragma once
// The application's own resource files: the folder "Resources" beside the executable's parent
// folder (<bin>/../Resources), or the installed place <bin>/../share/harmonote/Resources.
#include <QString>

#include "platform/core/files.h"

// Where the resource files are looked for. The place beside the executable serves until another
// is installed (the tests install folders of their own).
class ResourcesPlace {
 public:
  virtual ~ResourcesPlace() = default;
  virtual FolderItem Folder() const = 0;

  // Installs place (not owned); nullptr goes back to the place beside the executable.
  static void Install(const ResourcesPlace* place);
  // The place installed, nullptr for the one beside the executable.
  static const ResourcesPlace* Installed();
};

// The resources folder of the installed place; beside the executable, the first of the two places
// that exists, and the first place when neither does.
FolderItem ResourcesFolder();
// The same rule for an executable in executableFolder.
FolderItem ResourcesFolderFor(const FolderItem& executableFolder);
