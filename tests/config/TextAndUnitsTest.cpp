// The small rules beneath the pages: reading numbers, holding typed text to a limit,
// placing controls, and telling folders from files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config/DialogUnits.h"
#include "config/PathProbe.h"
#include "config/TypedEdit.h"
#include "config/UnsignedText.h"

namespace {

TEST(UnsignedTextTest, ReadsOnlyAPlainUnsignedNumber) {
  const std::pair<const char*, std::uint32_t> good[] = {{"20", 20},
                                                        {"  20  ", 20},
                                                        {"\t20\t", 20},
                                                        {"+20", 20},
                                                        {" +7 ", 7},
                                                        {"0", 0},
                                                        {"000", 0},
                                                        {" 0", 0},
                                                        {"007", 7},
                                                        {"4294967295", 4294967295u},
                                                        {"4294967296", 4294967295u},
                                                        {"99999999999999999999999", 4294967295u}};
  for (const auto& [text, expected] : good) {
    std::uint32_t value = 777;
    EXPECT_EQ(ParseUnsignedText(text, value), 1) << text;
    EXPECT_EQ(value, expected) << text;
  }
  for (const char* text : {"", "   ", "-1", " -0", "+0", "+", "+ 5", "12a", "12 3", "0x10", "abc",
                           "5-", "1.5", "\n5", "5\n"}) {
    std::uint32_t value = 777;
    EXPECT_EQ(ParseUnsignedText(text, value), 0) << text;
    EXPECT_EQ(value, 777u) << text;
  }
}

TEST(TypedEditTest, HoldsTheUsersAdditionsToTheLimit) {
  const struct {
    std::u32string before, after;
    std::size_t limit;
    bool upper;
    std::u32string kept;
    std::size_t cursor;
  } cases[] = {{U"", U"a", 1, true, U"A", 1},
               {U"", U"\u00e9", 1, true, U"\u00c9", 1},
               {U"", U"\u00f7", 1, true, U"\u00f7", 1},
               {U"", U"1", 1, true, U"1", 1},
               {U"A", U"AB", 1, true, U"A", 1},  // a second character is refused
               {U"A", U"BA", 1, true, U"A", 0},
               {U"A", U"", 1, true, U"", 0},        // deleting is free
               {U"A", U"b", 1, true, U"B", 1},      // replacing the selection
               {U"XYZ", U"XY", 1, true, U"XY", 2},  // a long stored text shrinks
               {U"XYZ", U"XYZq", 1, true, U"XYZ", 3},
               {U"", U"abc", 1, true, U"A", 1},  // a paste is cut to fit
               {U"ab", U"abcd", 3, false, U"abc", 3},
               {U"aa", U"aaa", 9, false, U"aaa", 3},
               {U"/tmp", U"/tmp/x", 255, false, U"/tmp/x", 6}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    const CTypedEdit result = ApplyTypedEdit(c.before, c.after, c.limit, c.upper);
    EXPECT_TRUE(result.text == c.kept) << "case " << i;
    EXPECT_EQ(result.cursor, c.cursor) << "case " << i;
  }
}

TEST(DialogUnitsTest, ConvertsTemplatePlacesAsWindowsDoes) {
  // MS Sans Serif 8 at 96 dpi: 52 letters are 312 pixels wide, 13 high.
  const CDialogBaseUnits units = BaseUnitsFromFont(312, 13);
  EXPECT_EQ(std::pair(units.x, units.y), std::pair(6, 13));
  const CPixelRect page = MapDialogRect(units, 0, 0, 210, 154);
  EXPECT_EQ(std::pair(page.width, page.height), std::pair(315, 250));  // 250.25
  const CPixelRect box = MapDialogRect(units, 110, 80, 30, 12);
  EXPECT_EQ(std::tuple(box.x, box.y, box.width, box.height),
            std::tuple(165, 130, 45, 20));     // 19.5 rounds up
  EXPECT_EQ(BaseUnitsFromFont(350, 13).x, 7);  // 6.73 rounds to 7
  // Liberation Sans 8: a cell of 12.28 pixels takes 13, as the templates' font did.
  EXPECT_EQ(BaseUnitsFromFont(333, 12.28).y, 13);
}

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
