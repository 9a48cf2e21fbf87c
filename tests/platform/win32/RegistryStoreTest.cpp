#include "platform/win32/RegistryStore.h"

#include <gtest/gtest.h>
#include "platform/win32/Win32.h"

#include <string>
#include <utility>

#include "settings/SaverSettings.h"

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

  // How many subkeys and values the key below the maker holds; 99 each when it cannot be read.
  std::pair<DWORD, DWORD> Count(const std::string& below) const {
    DWORD subkeys = 99;
    DWORD values = 99;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ("software\\" + m_maker + below).c_str(), 0, KEY_READ,
                      &key) == ERROR_SUCCESS) {
      RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
      RegCloseKey(key);
    }
    return {subkeys, values};
  }
  bool SectionExists() const { return Count("\\spir_ss\\Settings").first != 99; }
  void Plant(const char* name, DWORD type, const void* data, DWORD size) const {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, SectionPath().c_str(), name, type, data, size),
              ERROR_SUCCESS);
  }
  struct Stored {
    DWORD type = 0;
    std::string bytes;
  };
  Stored Read(const char* name) const {
    Stored stored;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
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
  ASSERT_FALSE(SectionExists());
  CRegistryStore store(m_maker);
  SaverSettings settings(&store);
  settings.LoadSettings();
  EXPECT_EQ(settings.m_timerInterval, 50u);
  EXPECT_EQ(settings.m_objectShape, 2u);
  EXPECT_EQ(settings.m_fileLocation, "");
  EXPECT_EQ(Count("\\spir_ss\\Settings"),
            (std::pair<DWORD, DWORD>(0, 0)));  // reading writes nothing
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

// Each kind of value planted behind the store's back, read both as a number and as a text: only
// a whole DWORD is a number and only REG_SZ a text, however it is terminated.
TEST_F(RegistryStoreTest, ValuesReadOnlyAsTheirOwnTypeWhateverTheirStoredForm) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    DWORD type;
    std::string data;
    unsigned number;
    const char* text;
  } planted[] = {
      {"AsText", REG_SZ, "30\0"s, 20, "30"},
      {"AsQword", REG_QWORD, "\7\0\0\0\0\0\0\0"s, 20, "d"},
      {"ShortDword", REG_DWORD, "\7\0"s, 20, "d"},
      {"AsDword", REG_DWORD, "\7\0\0\0"s, 7, "d"},
      {"AsBinary", REG_BINARY, "ab", 20, "d"},
      {"AsExpand", REG_EXPAND_SZ, "%TEMP%\0"s, 20, "d"},
      {"Unterminated", REG_SZ, "abc", 20, "abc"},
      {"Empty", REG_SZ, "", 20, ""},
      {"TwoTexts", REG_SZ, "ab\0cd\0"s, 20, "ab"},
  };
  CRegistryStore store(m_maker);
  for (const auto& value : planted) {
    SCOPED_TRACE(value.name);
    Plant(value.name, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    EXPECT_EQ(store.GetProfileInt("Settings", value.name, 20), value.number);
    EXPECT_EQ(store.GetProfileString("Settings", value.name, "d"), value.text);
  }
  EXPECT_EQ(store.GetProfileInt("Settings", "Missing", 20), 20u);
  EXPECT_EQ(store.GetProfileString("Settings", "Missing", "d"), "d");
}

TEST_F(RegistryStoreTest, LongestAndEmptyTextsAreStoredWhole) {
  CRegistryStore store(m_maker);
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
  // Only the Settings section the failed write opened, and no values anywhere.
  EXPECT_EQ(Count("\\spir_ss"), (std::pair<DWORD, DWORD>(1, 0)));
  EXPECT_EQ(Count("\\spir_ss\\Settings"), (std::pair<DWORD, DWORD>(0, 0)));
}

TEST_F(RegistryStoreTest, EveryCallSeesWritesMadeBehindItsBack) {
  CRegistryStore store(m_maker);
  EXPECT_NE(store.WriteProfileInt("Settings", "SequenceNo", 1), 0);
  const DWORD changed = 9;
  Plant("SequenceNo", REG_DWORD, &changed, sizeof(changed));
  EXPECT_EQ(store.GetProfileInt("Settings", "SequenceNo", 0), 9u);
  // Nothing stays open between calls: the whole tree can go, and the next call rebuilds it.
  DeleteMaker();
  ASSERT_FALSE(SectionExists());
  EXPECT_EQ(store.GetProfileInt("Settings", "SequenceNo", 3), 3u);
  EXPECT_TRUE(SectionExists());
}

}  // namespace
