#include <gtest/gtest.h>

#include "engine/RandomNumbers.h"

TEST(RandomNumbersTest, SeedOneGivesTheWindowsRuntimeSequence) {
  CRandomNumbers random;
  random.Seed(1);
  for (int expected : {41, 18467, 6334, 26500, 19169, 15724}) {
    EXPECT_EQ(random.Next(), expected);
  }
}

TEST(RandomNumbersTest, StateWrapsModulo2To32AndStaysInRange) {
  CRandomNumbers random;
  random.Seed(0xFFFFFFFFu);
  const std::uint32_t expectedState = 0xFFFFFFFFu * 214013u + 2531011u;
  const int value = random.Next();
  EXPECT_EQ(random.State(), expectedState);
  EXPECT_EQ(value, static_cast<int>((expectedState >> 16) & 0x7FFF));
  for (int i = 0; i < 100000; ++i) {
    const int next = random.Next();
    ASSERT_GE(next, 0);
    ASSERT_LE(next, 32767);
  }
}
