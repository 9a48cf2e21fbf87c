#include "settings/RegExportText.h"
#include "settings/RegTextStore.h"

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings";

TEST(RegExportTextTest, ReadsBothTypesAndRejectsTheWrongOne) {
  const CRegExportText text(
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\software\\tallowyn\\spir_ss\\Settings]\r\n[x\r\nx]\r\n"
      " \"ImagesPerSec\"=dword:00000014\t\r\n\"FileLocation\"=\"C:\\\\Shots \\\"x\\\"\"\r\n");
  EXPECT_EQ(std::tuple(text.ReadDword(kKey, "ImagesPerSec"), text.ReadDword(kKey, "imagespersec"),
                       text.ReadDword(kKey, "FileLocation"),
                       text.ReadDword("HKEY_CURRENT_USER\\other", "ImagesPerSec")),
            std::tuple(20u, 20u, std::nullopt, std::nullopt));
  EXPECT_EQ(std::pair(text.ReadString(kKey, "FileLocation"), text.ReadString(kKey, "ImagesPerSec")),
            std::pair(std::optional<std::string>("C:\\Shots \"x\""), std::optional<std::string>()));
}

TEST(RegExportTextTest, GarbledValuesReadAsAbsent) {
  for (const char* line :
       {"\"A\"=dword:", "\"A\"=dword:123456789", "\"A\"=dword:12x4", "\"A\"=\"open",
        "\"A\"=\"bad \\q escape\"", "\"A\"=\"x\" tail", "\"A\"=hex:01,02", "\"A\" dword:00000001",
        "\"A", "[]\n\"A\"=dword:1"}) {  // a value of another key
    const CRegExportText text(std::string("[") + std::string(kKey) + "]\n" + line + "\n");
    EXPECT_EQ(text.ReadDword(kKey, "A"), std::nullopt) << line;
    EXPECT_EQ(text.ReadString(kKey, "A"), std::nullopt) << line;
  }
}

TEST(RegExportTextTest, WritingChangesOnlyItsOwnValue) {
  const std::string before = std::string("REGEDIT4\n\n; a comment\n[") + std::string(kKey) +
                             "]\n\"A\"=dword:00000001\nnot understood\n\"B\"=\"x\"\n\"A\"=dword:2\n"
                             "\n[HKEY_CURRENT_USER\\other]\n\"A\"=dword:00000009\n";
  CRegExportText text(before);
  EXPECT_EQ(text.ReadDword(kKey, "A"), 2u);  // the last one counts
  text.SetDword(kKey, "A", 0x1e);
  text.SetDword(kKey, "C", 3);
  EXPECT_EQ(text.Text(), std::string("REGEDIT4\n\n; a comment\n[") + std::string(kKey) +
                             "]\n\"A\"=dword:0000001e\nnot understood\n\"B\"=\"x\"\n"
                             "\"C\"=dword:00000003\n\n[HKEY_CURRENT_USER\\other]\n"
                             "\"A\"=dword:00000009\n");
}

TEST(RegExportTextTest, StartsAFileAndBlocksAndRefusesLineBreaks) {
  CRegExportText text("");
  EXPECT_TRUE(text.SetString(kKey, "FileLocation", "/home/me/Pictures"));
  EXPECT_FALSE(text.SetString(kKey, "FileLocation", "two\nlines"));
  EXPECT_EQ(CRegTextStore("").WriteProfileString("Settings", "A", "two\nlines"), 0);
  text.SetDword("HKEY_CURRENT_USER\\other", "A", 1);
  text.SetDword(kKey, "B", 2);  // into its own block, above the blank line
  EXPECT_EQ(text.Text(), std::string("REGEDIT4\n\n[") + std::string(kKey) +
                             "]\n\"FileLocation\"=\"/home/me/Pictures\"\n\"B\"=dword:00000002\n"
                             "\n[HKEY_CURRENT_USER\\other]\n\"A\"=dword:00000001\n");
}

// Through the file text, whose writer escapes and whose reader unescapes.
TEST(RegExportTextTest, EscapingRoundTrips) {
  for (const std::string_view value :
       {"", "plain", "a\\b", "\"q\"", "\\\\\"", "tab\there", "cr\rinside", "ends in cr\r"}) {
    CRegExportText written("");
    ASSERT_TRUE(written.SetString(kKey, "K", value));
    EXPECT_EQ(CRegExportText(written.Text()).ReadString(kKey, "K"), value);
  }
}

}  // namespace
