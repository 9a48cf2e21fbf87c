#include "platform/win32/RegistryStore.h"

#include <gtest/gtest.h>
#include "platform/win32/Win32.h"

#include <string>

#include "app/SaverSettings.h"

// These run against the real registry (Wine's, in the test prefix), under a maker key of
// their own that each test removes again.
namespace {

class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    m_maker = "spirandel-test-" + std::to_string(GetCurrentProcessId());
    DeleteMaker();
  }
  void TearDown() override { DeleteMaker(); }

  void DeleteMaker() const { RegDeleteTreeA(HKEY_CURRENT_USER, ("software\\" + m_maker).c_str()); }
  std::string SectionPath() const { return "software\\" + m_maker + "\\spir_ss\\Settings"; }

  // The section key opened directly, bypassing the store; null when it does not exist.
  HKEY OpenSection() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ | KEY_WRITE, &key) !=
        ERROR_SUCCESS) {
      return nullptr;
    }
    return key;
  }
  void Plant(const char* name, DWORD type, const void* data, DWORD size) const {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  struct Stored {
    DWORD type = 0;
    std::string bytes;
  };
  Stored Read(const char* name) const {
    Stored stored;
    HKEY key = OpenSection();
    if (key == nullptr) {
      return stored;
    }
    char buffer[512] = {};
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key, name, nullptr, &stored.type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
      stored.bytes.assign(buffer, size);
    }
    RegCloseKey(key);
    return stored;
  }

  std::string m_maker;
};

TEST_F(RegistryStoreTest, ReadingCreatesTheKeyPathAndGivesDefaults) {
  ASSERT_EQ(OpenSection(), nullptr);
  CRegistryStore store(m_maker);
  SaverSettings settings(&store);
  settings.LoadSettings();
  EXPECT_EQ(settings.m_timerInterval, 50u);
  EXPECT_EQ(settings.m_objectShape, 2u);
  EXPECT_EQ(settings.m_fileLocation, "");
  HKEY key = OpenSection();
  ASSERT_NE(key, nullptr);
  DWORD values = 99;
  EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 0u);  // reading writes nothing
  RegCloseKey(key);
}

TEST_F(RegistryStoreTest, SettingsAreStoredAsDwordsAndTerminatedStrings) {
  CRegistryStore store(m_maker);
  SaverSettings written(&store);
  written.m_timerInterval = 27;
  written.m_pausingKey = "P";
  written.m_fileLocation = "C:\\Shots\\";
  written.m_sequenceNo = 42;
  written.SaveImagesPerSec();
  written.SavePausingKay();
  written.SaveFileLocation();
  written.SaveSequenceNo();
  written.SaveColourOption(-2);

  const Stored images = Read("ImagesPerSec");
  EXPECT_EQ(images.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(images.bytes, std::string("\x25\0\0\0", 4));
  const Stored colour = Read("ColourOption");
  EXPECT_EQ(colour.bytes, std::string("\xfe\xff\xff\xff", 4));  // sign-extended
  const Stored key = Read("PausingKay");
  EXPECT_EQ(key.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(key.bytes, std::string("P\0", 2));

  SaverSettings read(&store);
  read.LoadSettings();
  EXPECT_EQ(read.m_timerInterval, 27u);
  EXPECT_EQ(read.m_pausingKey, "P");
  EXPECT_EQ(read.m_fileLocation, "C:\\Shots\\");
  EXPECT_EQ(read.m_sequenceNo, 42);
  EXPECT_EQ(read.m_colourOption, -2);
}

TEST_F(RegistryStoreTest, ValuesOfAnotherTypeGiveTheDefault) {
  CRegistryStore store(m_maker);
  const DWORD dword = 7;
  const unsigned long long qword = 7;
  Plant("AsText", REG_SZ, "30", 3);
  Plant("AsQword", REG_QWORD, &qword, sizeof(qword));
  Plant("AsBinary", REG_BINARY, "ab", 2);
  Plant("AsDword", REG_DWORD, &dword, sizeof(dword));
  Plant("AsExpand", REG_EXPAND_SZ, "%TEMP%", 7);
  Plant("ShortDword", REG_DWORD, &dword, 2);
  EXPECT_EQ(store.GetProfileInt("Settings", "AsText", 20), 20u);
  EXPECT_EQ(store.GetProfileInt("Settings", "AsQword", 20), 20u);
  EXPECT_EQ(store.GetProfileInt("Settings", "ShortDword", 20), 20u);
  EXPECT_EQ(store.GetProfileString("Settings", "AsBinary", "d"), "d");
  EXPECT_EQ(store.GetProfileString("Settings", "AsDword", "d"), "d");
  EXPECT_EQ(store.GetProfileString("Settings", "AsExpand", "d"), "d");
  EXPECT_EQ(store.GetProfileString("Settings", "Missing", "d"), "d");
  EXPECT_EQ(store.GetProfileInt("Settings", "AsDword", 20), 7u);
}

TEST_F(RegistryStoreTest, StringsReadBackWhateverTheirStoredForm) {
  CRegistryStore store(m_maker);
  Plant("Unterminated", REG_SZ, "abc", 3);
  Plant("Empty", REG_SZ, "", 0);
  Plant("TwoTexts", REG_SZ, "ab\0cd", 6);
  EXPECT_EQ(store.GetProfileString("Settings", "Unterminated", "d"), "abc");
  EXPECT_EQ(store.GetProfileString("Settings", "Empty", "d"), "");
  EXPECT_EQ(store.GetProfileString("Settings", "TwoTexts", "d"), "ab");

  const std::string longest(255, 'x');
  EXPECT_NE(store.WriteProfileString("Settings", "FileLocation", longest), 0);
  EXPECT_EQ(store.GetProfileString("Settings", "FileLocation", ""), longest);
  EXPECT_NE(store.WriteProfileString("Settings", "FileLocation", ""), 0);
  EXPECT_EQ(Read("FileLocation").bytes, std::string(1, '\0'));
}

TEST_F(RegistryStoreTest, NamesTheRegistryCannotTakeWholeAreRefused) {
  CRegistryStore store(m_maker);
  using namespace std::string_view_literals;
  EXPECT_EQ(store.WriteProfileString("Settings", "Key", "a\0b"sv), 0);
  EXPECT_EQ(store.WriteProfileInt("Settings", "Seq\0No"sv, 1), 0);
  EXPECT_EQ(store.WriteProfileInt("", "SequenceNo", 1), 0);
  EXPECT_EQ(store.WriteProfileInt("..\\..\\Elsewhere", "SequenceNo", 1), 0);
  EXPECT_EQ(store.GetProfileInt("Set\\tings", "SequenceNo", 5), 5u);
  EXPECT_EQ(Read("Key").type, 0u);
  HKEY application = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("software\\" + m_maker + "\\spir_ss").c_str(), 0,
                          KEY_READ, &application),
            ERROR_SUCCESS);
  DWORD subkeys = 99;
  DWORD values = 99;
  RegQueryInfoKeyA(application, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(application);
  EXPECT_EQ(subkeys, 1u);  // only the Settings section the failed write opened
  EXPECT_EQ(values, 0u);
}

TEST_F(RegistryStoreTest, EveryCallSeesWritesMadeBehindItsBack) {
  CRegistryStore store(m_maker);
  EXPECT_NE(store.WriteProfileInt("Settings", "SequenceNo", 1), 0);
  const DWORD changed = 9;
  Plant("SequenceNo", REG_DWORD, &changed, sizeof(changed));
  EXPECT_EQ(store.GetProfileInt("Settings", "SequenceNo", 0), 9u);
  // Nothing stays open between calls: the whole tree can go, and the next call rebuilds it.
  DeleteMaker();
  ASSERT_EQ(OpenSection(), nullptr);
  EXPECT_EQ(store.GetProfileInt("Settings", "SequenceNo", 3), 3u);
  EXPECT_NE(OpenSection(), nullptr);
}

}  // namespace
