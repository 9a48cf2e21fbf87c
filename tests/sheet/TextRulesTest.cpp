// The small rules beneath the pages: holding typed text to a limit, filling in messages, and
// telling folders from files.
#include <gtest/gtest.h>

#include "sheet/ConfigTexts.h"
#include "sheet/PathProbe.h"
#include "sheet/TypedEdit.h"

namespace {

TEST(TypedEditTest, HoldsTheUsersAdditionsToTheLimitAndCapitalisesThem) {
  // before, after, limit; kept, cursor
  const std::tuple<std::u32string, std::u32string, std::size_t, std::u32string, std::size_t>
      cases[] = {
          {U"", U"az\u00e0\u00fe\u00f71A\u00ff\u00df", 9, U"AZ\u00c0\u00de\u00f71A\u00ff\u00df", 9},
          {U"XYZ", U"XYq", 1, U"XYZ", 2},  // a stored text beyond the limit takes nothing
          {U"XYZ", U"Xq", 1, U"X", 1},     // but loses what is deleted
          {U"AC", U"ABC", 9, U"ABC", 2},
          {U"ABC", U"ABxyC", 4, U"ABXC", 3},
          {U"AA", U"AAA", 9, U"AAA", 3}};
  for (const auto& [before, after, limit, kept, cursor] : cases) {
    const CTypedEdit result = ApplyTypedEdit(before, after, limit, true);
    EXPECT_TRUE(result.text == kept && result.cursor == cursor) << limit << " " << cursor;
  }
  EXPECT_TRUE(ApplyTypedEdit(U"ab", U"abcd", 3, false).text == U"abc");  // a paste is cut to fit
}

TEST(ConfigTextsTest, FillsInTheNumberedArgumentsThereAre) {
  EXPECT_EQ(FormatConfigMessage("% %0 %3, not %1 to %2", {"a", "b"}), "% %0 %3, not a to b");
  EXPECT_EQ(FormatConfigMessage(std::string_view("50%1", 3), {"x"}), "50%");
}

TEST(PathProbeTest, TellsFoldersFromFilesAndFailedLookups) {
  const std::string source = SPIRANDEL_SOURCE_DIR;
  CFileSystemProbe probe;
  EXPECT_EQ(probe.Probe(source + "/src/"), PathKind::kDirectory);
  EXPECT_EQ(probe.Probe(source + "/README.md"), PathKind::kNotDirectory);
  EXPECT_EQ(probe.Probe(source + "/missing"), PathKind::kMissing);
#ifndef _WIN32  // a name too long for the file system: Windows calls it missing
  EXPECT_EQ(probe.Probe(source + "/" + std::string(300, 'x')), PathKind::kLookupFailed);
#endif
}

}  // namespace
