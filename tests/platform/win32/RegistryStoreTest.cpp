#include "platform/win32/RegistryStore.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/Win32.h"
#include "settings/SaverSettings.h"

// Against the real registry (Wine's, in the test prefix), under a maker key of the test's own
// that each test removes again.
namespace {

using namespace std::string_literals;

class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, ("software\\" + m_maker).c_str()); }

  // The stored type and bytes of a value; type 0 when there is none.
  std::pair<DWORD, std::string> Raw(const char* name) const {
    char data[512];
    DWORD type = 0;
    DWORD size = sizeof(data);
    const LSTATUS read = RegGetValueA(HKEY_CURRENT_USER, m_section.c_str(), name,
                                      RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
    return {type, read == ERROR_SUCCESS ? std::string(data, size) : ""};
  }

  const std::string m_maker = "spirandel-test-" + std::to_string(GetCurrentProcessId());
  const std::string m_section = "software\\" + m_maker + "\\spir_ss\\Settings";
  CRegistryStore m_store{m_maker};
};

TEST_F(RegistryStoreTest, NumbersAreDwordsAndTextsTerminatedStrings) {
  SaverSettings written(&m_store);
  written.m_timerInterval = 27;
  written.m_fileLocation = std::string(255, 'x');
  written.SaveImagesPerSec();
  written.SaveColourOption(-2);
  written.SavePausingKay();
  written.SaveFileLocation();
  EXPECT_EQ(Raw("ImagesPerSec"), std::make_pair(DWORD{REG_DWORD}, "\x25\0\0\0"s));
  EXPECT_EQ(Raw("ColourOption"), std::make_pair(DWORD{REG_DWORD}, "\xfe\xff\xff\xff"s));
  EXPECT_EQ(Raw("PausingKay"), std::make_pair(DWORD{REG_SZ}, "\0"s));
  EXPECT_EQ(Raw("FileLocation"), std::make_pair(DWORD{REG_SZ}, std::string(255, 'x') + '\0'));
}

// Each kind of value planted behind the store's back, read both as a number and as a text: only
// a whole DWORD is a number, all 32 bits of it, and only REG_SZ a text, however it is terminated
// and however long.
TEST_F(RegistryStoreTest, ValuesReadOnlyAsTheirOwnTypeWhateverTheirStoredForm) {
  // clang-format off
  const struct {
    DWORD type;
    std::string data;
    unsigned number;
    std::string text;
  } planted[] = {
      {REG_SZ, "30\0"s, 20, "30"},   {REG_QWORD, "\7\0\0\0\0\0\0\0"s, 20, "d"},
      {REG_DWORD, "\7\0"s, 20, "d"}, {REG_DWORD, "\7\0\0\0"s, 7, "d"},
      {REG_BINARY, "ab", 20, "d"},   {REG_EXPAND_SZ, "%TEMP%\0"s, 20, "d"},
      {REG_SZ, "abc", 20, "abc"},    {REG_SZ, "ab\0cd\0"s, 20, "ab"},
      {REG_DWORD, "\xfe\xff\xff\xff"s, 0xFFFFFFFE, "d"},
      {REG_SZ, std::string(300, 'x') + '\0', 20, std::string(300, 'x')},
  };
  // clang-format on
  EXPECT_EQ(m_store.GetProfileString("Settings", "Missing", "d"), "d");
  for (const auto& value : planted) {
    SCOPED_TRACE(value.data);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, m_section.c_str(), "Value", value.type,
                              value.data.data(), static_cast<DWORD>(value.data.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(m_store.GetProfileInt("Settings", "Value", 20), value.number);
    EXPECT_EQ(m_store.GetProfileString("Settings", "Value", "d"), value.text);
  }
}

}  // namespace
