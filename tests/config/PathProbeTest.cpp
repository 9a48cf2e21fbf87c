#include "config/PathProbe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(PathProbeTest, TellsFoldersFromFilesAndMissingEntries) {
  const auto root = std::filesystem::path(testing::TempDir()) / "spirandel-probe";
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "empty folder");
  std::ofstream(root / "file.bmp") << "x";
  CFileSystemProbe probe;
  EXPECT_EQ(probe.Probe((root / "empty folder").string()), PathKind::kDirectory);
  EXPECT_EQ(probe.Probe((root / "empty folder").string() + "/"), PathKind::kDirectory);
  EXPECT_EQ(probe.Probe((root / "file.bmp").string()), PathKind::kNotDirectory);
  EXPECT_EQ(probe.Probe((root / "missing").string()), PathKind::kMissing);
  EXPECT_EQ(probe.Probe((root / "file.bmp" / "below").string()), PathKind::kMissing);
  std::filesystem::remove_all(root);
}

}  // namespace
