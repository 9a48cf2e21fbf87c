#include "config/TypedEdit.h"

#include <gtest/gtest.h>

#include "config/DialogUnits.h"

namespace {

struct EditCase {
  std::u32string before;
  std::u32string after;
  std::size_t limit;
  bool upper;
  std::u32string kept;
  std::size_t cursor;
  friend void PrintTo(const EditCase& c, std::ostream* os) {
    const auto ascii = [](const std::u32string& t) {
      std::string out;
      for (const char32_t ch : t) {
        out += ch < 0x80 ? std::string(1, static_cast<char>(ch))
                         : "U+" + std::to_string(static_cast<unsigned>(ch));
      }
      return out;
    };
    *os << '[' << ascii(c.before) << "] to [" << ascii(c.after) << "] limit " << c.limit;
  }
};

class TypedEditTest : public testing::TestWithParam<EditCase> {};

TEST_P(TypedEditTest, HoldsTheUsersAdditionsToTheLimit) {
  const EditCase& c = GetParam();
  const CTypedEdit result = ApplyTypedEdit(c.before, c.after, c.limit, c.upper);
  EXPECT_TRUE(result.text == c.kept);
  EXPECT_EQ(result.cursor, c.cursor);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TypedEditTest,
    testing::Values(
        EditCase{U"", U"a", 1, true, U"A", 1}, EditCase{U"", U"\u00e9", 1, true, U"\u00c9", 1},
        EditCase{U"", U"\u00f7", 1, true, U"\u00f7", 1}, EditCase{U"", U"1", 1, true, U"1", 1},
        EditCase{U"A", U"AB", 1, true, U"A", 1},  // a second character is refused
        EditCase{U"A", U"BA", 1, true, U"A", 0},
        EditCase{U"A", U"", 1, true, U"", 0},        // deleting is free
        EditCase{U"A", U"b", 1, true, U"B", 1},      // replacing the selection
        EditCase{U"XYZ", U"XY", 1, true, U"XY", 2},  // a long stored text shrinks
        EditCase{U"XYZ", U"XYZq", 1, true, U"XYZ", 3},
        EditCase{U"", U"abc", 1, true, U"A", 1},  // a paste is cut to fit
        EditCase{U"ab", U"abcd", 3, false, U"abc", 3}, EditCase{U"aa", U"aaa", 9, false, U"aaa", 3},
        EditCase{U"/tmp", U"/tmp/x", 255, false, U"/tmp/x", 6}));

TEST(DialogUnitsTest, ConvertsTemplatePlacesAsWindowsDoes) {
  // MS Sans Serif 8 at 96 dpi: 52 letters are 312 pixels wide, 13 high.
  const CDialogBaseUnits units = BaseUnitsFromFont(312, 13);
  EXPECT_EQ(units.x, 6);
  EXPECT_EQ(units.y, 13);
  const CPixelRect page = MapDialogRect(units, 0, 0, 210, 154);
  EXPECT_EQ(page.width, 315);
  EXPECT_EQ(page.height, 250);  // 154 * 13 / 8 = 250.25
  const CPixelRect box = MapDialogRect(units, 110, 80, 30, 12);
  EXPECT_EQ(box.x, 165);
  EXPECT_EQ(box.y, 130);
  EXPECT_EQ(box.width, 45);
  EXPECT_EQ(box.height, 20);                   // 19.5 rounds up
  EXPECT_EQ(BaseUnitsFromFont(350, 13).x, 7);  // 6.73 rounds to 7
}

}  // namespace
