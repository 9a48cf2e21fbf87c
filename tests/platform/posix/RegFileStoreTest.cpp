#include "platform/posix/RegFileStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "settings/SaverSettings.h"

namespace fs = std::filesystem;

namespace {

class RegFileStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "spirandel-store-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_home = pattern;
  }
  void TearDown() override { fs::remove_all(m_home); }

  fs::path File() const { return m_home / "tallowyn" / "spir_ss" / "Settings.reg"; }
  std::string Contents() const {
    std::ifstream in(File());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Plant(const std::string& text) const {
    fs::create_directories(File().parent_path());
    std::ofstream(File()) << text;
  }

  fs::path m_home;
};

TEST_F(RegFileStoreTest, ReadingCreatesTheKeyPath) {
  CRegFileStore store(m_home);
  EXPECT_EQ(store.GetProfileInt("Settings", "ImagesPerSec", 20), 20u);
  EXPECT_EQ(Contents(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n");
}

TEST_F(RegFileStoreTest, SettingsRoundTripThroughTheFile) {
  CRegFileStore store(m_home);
  SaverSettings written(&store);
  written.m_timerInterval = 27;
  written.m_fileLocation = "/home/me/My \"Pictures\"\\";
  written.m_pausingKey = "P";
  written.m_endDelay = -5;
  written.SaveImagesPerSec();
  written.SaveFileLocation();
  written.SavePausingKay();
  written.SaveEndDelay();
  written.SaveObjectShape(2 | 256);

  SaverSettings read(&store);
  read.LoadSettings();
  EXPECT_EQ(read.m_timerInterval, 27u);
  EXPECT_EQ(read.m_fileLocation, written.m_fileLocation);
  EXPECT_EQ(read.m_pausingKey, "P");
  EXPECT_EQ(read.m_endDelay, -5);
  EXPECT_EQ(read.m_objectShape, 258u);
  EXPECT_NE(Contents().find("\"ImagesPerSec\"=dword:00000025\n"), std::string::npos);
  EXPECT_NE(Contents().find("\"PausingKay\"=\"P\"\n"), std::string::npos);
}

TEST_F(RegFileStoreTest, GarbledFileGivesDefaultsAndKeepsWhatItCannotRead) {
  const std::string garbled =
      "REGEDIT4\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n"
      "\"ImagesPerSec\"=\"twenty\"\n\x01\x02 binary junk\n\"EndDelay\"=dword:zz\n";
  Plant(garbled);
  CRegFileStore store(m_home);
  SaverSettings s(&store);
  s.LoadSettings();
  EXPECT_EQ(s.m_timerInterval, 50u);
  EXPECT_EQ(s.m_endDelay, 1);
  EXPECT_EQ(Contents(), garbled);  // reading never rewrites

  s.m_sequenceNo = 3;
  EXPECT_NE(s.SaveSequenceNo(), 0);
  EXPECT_EQ(Contents(), garbled + "\"SequenceNo\"=dword:00000003\n");
}

TEST_F(RegFileStoreTest, UnreadableFileIsNeverReplaced) {
  // A folder where the file should be: it cannot be read, and must not be overwritten.
  fs::create_directories(File());
  CRegFileStore store(m_home);
  EXPECT_EQ(store.GetProfileInt("Settings", "SequenceNo", 7), 7u);
  EXPECT_EQ(store.WriteProfileInt("Settings", "SequenceNo", 1), 0);
  EXPECT_TRUE(fs::is_directory(File()));
}

TEST_F(RegFileStoreTest, KeyPathThatCannotBeCreatedFailsQuietly) {
  std::ofstream(m_home / "tallowyn") << "a file where a folder belongs";
  CRegFileStore store(m_home);
  SaverSettings s(&store);
  s.LoadSettings();
  EXPECT_EQ(s.m_objectShape, 2u);
  s.m_sequenceNo = 9;
  EXPECT_EQ(s.SaveSequenceNo(), 0);
  EXPECT_EQ(s.m_sequenceNo, 9);
}

TEST_F(RegFileStoreTest, StrayTemporaryFilesDoNotDisturb) {
  fs::create_directories(File().parent_path());
  std::ofstream(File().parent_path() / ".Settings.reg.AAAAAA") << "half a file";
  CRegFileStore store(m_home);
  EXPECT_NE(store.WriteProfileString("Settings", "PrintingKey", "S"), 0);
  EXPECT_EQ(store.GetProfileString("Settings", "PrintingKey", ""), "S");
  // Our own temporary file is gone after the rename.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(File().parent_path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 2);
}

TEST_F(RegFileStoreTest, SectionNamesCannotEscapeTheFolder) {
  CRegFileStore store(m_home);
  EXPECT_FALSE(store.SectionFile("../evil").has_value());
  EXPECT_FALSE(store.SectionFile("").has_value());
  EXPECT_EQ(store.WriteProfileInt("..", "A", 1), 0);
  EXPECT_EQ(store.GetProfileInt("a/b", "A", 5), 5u);
}

TEST_F(RegFileStoreTest, LineBreaksInStringsAreRefused) {
  CRegFileStore store(m_home);
  EXPECT_EQ(store.WriteProfileString("Settings", "FileLocation", "a\nb"), 0);
  EXPECT_EQ(store.GetProfileString("Settings", "FileLocation", "none"), "none");
}

TEST(UserConfigHomeTest, FollowsXdgThenHome) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string xdg = savedXdg ? savedXdg : "";
  const std::string home = savedHome ? savedHome : "";
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(UserConfigHome(), fs::path("/cfg"));
  ::setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(UserConfigHome(), fs::path("/home/someone/.config"));
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(UserConfigHome(), fs::path("/home/someone/.config"));
  ::unsetenv("XDG_CONFIG_HOME");
  ::unsetenv("HOME");
  EXPECT_FALSE(UserConfigHome().empty());
  savedXdg ? ::setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
