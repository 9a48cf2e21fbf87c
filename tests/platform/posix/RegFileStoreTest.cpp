#include "platform/posix/RegFileStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "settings/SaverSettings.h"

namespace fs = std::filesystem;

namespace {

class RegFileStoreTest : public testing::Test {
 protected:
  static fs::path FreshFolder() {
    std::string pattern = (fs::temp_directory_path() / "spirandel-store-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
  }
  void SetUp() override { ASSERT_FALSE(m_home.empty()); }
  void TearDown() override { fs::remove_all(m_home); }

  fs::path File() const { return m_home / "tallowyn" / "spir_ss" / "Settings.reg"; }
  std::string Contents() const {
    std::ostringstream s;
    s << std::ifstream(File()).rdbuf();
    return s.str();
  }

  fs::path m_home = FreshFolder();
  CRegFileStore m_store{m_home};
};

TEST_F(RegFileStoreTest, ReadingCreatesTheKeyPathAndSettingsRoundTrip) {
  EXPECT_EQ(m_store.GetProfileInt("Settings", "ImagesPerSec", 20), 20u);
  EXPECT_EQ(Contents(), "REGEDIT4\n\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\n");
  struct stat st {};
  ASSERT_EQ(::stat(File().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);  // the usual permissions, not those of a temporary file
  ::chmod(File().c_str(), 0640);        // a rewrite keeps the user's permissions

  SaverSettings written(&m_store);
  written.m_timerInterval = 27;
  written.m_fileLocation = "/home/me/My \"Pictures\"\\";
  written.m_endDelay = -5;
  written.SaveImagesPerSec();
  written.SaveFileLocation();
  written.SaveEndDelay();
  SaverSettings read(&m_store);
  read.LoadSettings();
  EXPECT_EQ(std::tie(read.m_timerInterval, read.m_fileLocation, read.m_endDelay),
            std::tie(written.m_timerInterval, written.m_fileLocation, written.m_endDelay));
  EXPECT_NE(Contents().find("\"ImagesPerSec\"=dword:00000025\n"), std::string::npos);
  ASSERT_EQ(::stat(File().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Whatever lies where the settings file belongs, loading the settings leaves it exactly as it
// was; what is no file at all also refuses every write.
TEST_F(RegFileStoreTest, BrokenFilesAreLeftAsTheyWere) {
  const std::string header = "REGEDIT4\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]";
  struct {
    const char* name;
    std::string bytes;
    std::function<void(const fs::path&)> make;  // instead of bytes: what is no file
  } const cases[] = {
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {}},
      {"NULs", header + std::string(64, '\0') + "\n\"ImagesPerSec\"=dword:0\0\n", {}},
      {"empty", "", {}},
      {"FIFO", "", [](const fs::path& f) { ::mkfifo(f.c_str(), 0600); }},
      {"link to /dev/zero", "", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); }},
      {"directory", "", [](const fs::path& f) { fs::create_directories(f); }},
      {"link to a directory", "", [](const fs::path& f) { fs::create_directory_symlink("/", f); }},
  };
  for (const auto& c : cases) {
    fs::remove_all(File());
    fs::create_directories(File().parent_path());
    c.make ? c.make(File()) : void(std::ofstream(File(), std::ios::binary) << c.bytes);
    const auto before = fs::symlink_status(File()).type();
    SaverSettings(&m_store).LoadSettings();
    EXPECT_EQ(fs::symlink_status(File()).type(), before) << c.name;
    if (c.make) {
      EXPECT_EQ(m_store.WriteProfileInt("Settings", "SequenceNo", 1), 0) << c.name;
      EXPECT_EQ(fs::symlink_status(File()).type(), before) << c.name;
    } else {
      EXPECT_TRUE(Contents() == c.bytes) << c.name;
    }
  }
}

TEST_F(RegFileStoreTest, WhatCannotBeStoredIsRefusedAndReadsGiveTheDefault) {
  // Section names that are not plain file names, and text that one line cannot hold.
  for (const char* section : {"../evil", "", "..", "a/b"}) {
    EXPECT_EQ(m_store.WriteProfileInt(section, "A", 1), 0) << section;
    EXPECT_EQ(m_store.GetProfileInt(section, "A", 5), 5u) << section;
  }
  EXPECT_NE(m_store.WriteProfileInt("Other", "A", 1), 0);  // a first write makes the file
  EXPECT_EQ(m_store.WriteProfileString("Other", "FileLocation", "a\nb"), 0);
  EXPECT_EQ(m_store.GetProfileString("Other", "FileLocation", "none"), "none");
  // A file where a folder of the key path belongs.
  fs::remove_all(m_home / "tallowyn");
  std::ofstream(m_home / "tallowyn") << "a file where a folder belongs";
  EXPECT_EQ(m_store.GetProfileInt("Settings", "ObjectShape", 2), 2u);
  EXPECT_EQ(m_store.WriteProfileInt("Settings", "SequenceNo", 9), 0);
}

// A disk that fills up: the file size limit makes the write fail part-way. The store says so,
// the old file stays whole and no temporary file is left. Runs in a child so the limit stays
// there.
TEST_F(RegFileStoreTest, AFailedWriteLeavesTheOldFile) {
  ASSERT_NE(m_store.WriteProfileString("Settings", "FileLocation", "/old"), 0);
  const std::string before = Contents();
  const auto writeBeyondTheLimit = [&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool refused =
        m_store.WriteProfileString("Settings", "FileLocation", std::string(9000, 'x')) == 0;
    _exit(refused && Contents() == before &&
                  std::distance(fs::directory_iterator(File().parent_path()), {}) == 1
              ? 0
              : 1);
  };
  EXPECT_EXIT(writeBeyondTheLimit(), testing::ExitedWithCode(0), "");
}

// No other test of this program reads these variables, so they are not put back.
TEST(UserConfigHomeTest, FollowsXdgThenHome) {
  ::setenv("HOME", "/home/someone", 1);
  for (const auto& [value, expected] :
       {std::pair{"/cfg", "/cfg"}, std::pair{"", "/home/someone/.config"},
        std::pair{"relative", "/home/someone/.config"}}) {
    ::setenv("XDG_CONFIG_HOME", value, 1);
    EXPECT_EQ(UserConfigHome(), fs::path(expected)) << value;
  }
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "", 1);
  EXPECT_TRUE(UserConfigHome().is_absolute());  // the password database's home
}

}  // namespace
