#pragma once

#include "sheet/PageControls.h"

// Looks a folder name up in the file system as the standard library sees it (links followed).
class CFileSystemProbe : public IPathProbe {
 public:
  PathKind Probe(const std::string& path) override;
};
