#pragma once
// Resource files looked for in a folder of the test's own while this object lives.
#include "app/resources_folder.h"

class ResourcesElsewhere : public ResourcesPlace {
 public:
  explicit ResourcesElsewhere(const QString& path) : folder_(path), previous_(ResourcesPlace::Installed()) {
    ResourcesPlace::Install(this);
  }
  ~ResourcesElsewhere() override { ResourcesPlace::Install(previous_); }
  ResourcesElsewhere(const ResourcesElsewhere&) = delete;
  ResourcesElsewhere& operator=(const ResourcesElsewhere&) = delete;

  FolderItem Folder() const override { return folder_; }

 private:
  FolderItem folder_;
  const ResourcesPlace* previous_;
};
