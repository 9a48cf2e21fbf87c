#include "config/UnsignedText.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
  const char* text;
  int ok;
  std::uint32_t value;
  friend void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '[';
    for (const char* p = c.text; *p != '\0'; ++p) {
      *os << (*p == '\t' ? "\\t" : *p == '\n' ? "\\n" : std::string(1, *p));
    }
    *os << ']';
  }
};

class ParseUnsignedTextTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseUnsignedTextTest, ReadsOnlyAPlainUnsignedNumber) {
  std::uint32_t value = 777;
  EXPECT_EQ(ParseUnsignedText(GetParam().text, value), GetParam().ok) << GetParam().text;
  EXPECT_EQ(value, GetParam().ok ? GetParam().value : 777u) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseUnsignedTextTest,
    testing::Values(ParseCase{"20", 1, 20}, ParseCase{"  20  ", 1, 20}, ParseCase{"\t20\t", 1, 20},
                    ParseCase{"+20", 1, 20}, ParseCase{" +7 ", 1, 7}, ParseCase{"0", 1, 0},
                    ParseCase{"000", 1, 0}, ParseCase{" 0", 1, 0}, ParseCase{"007", 1, 7},
                    ParseCase{"4294967295", 1, 4294967295u},
                    ParseCase{"4294967296", 1, 4294967295u},
                    ParseCase{"99999999999999999999999", 1, 4294967295u},
                    // failures
                    ParseCase{"", 0, 0}, ParseCase{"   ", 0, 0}, ParseCase{"-1", 0, 0},
                    ParseCase{" -0", 0, 0}, ParseCase{"+0", 0, 0}, ParseCase{"+", 0, 0},
                    ParseCase{"+ 5", 0, 0}, ParseCase{"12a", 0, 0}, ParseCase{"12 3", 0, 0},
                    ParseCase{"0x10", 0, 0}, ParseCase{"abc", 0, 0}, ParseCase{"5-", 0, 0},
                    ParseCase{"1.5", 0, 0}, ParseCase{"\n5", 0, 0}, ParseCase{"5\n", 0, 0}));

}  // namespace
