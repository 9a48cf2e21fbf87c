#include <bit>
#include <cmath>
#include <limits>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/FigurePlan.h"
#include "engine/RoundedMath.h"

namespace {

// FNV-1a over the values' bit patterns, low byte first.
std::uint64_t HashBits(std::uint64_t hash, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (int shift = 0; shift < 64; shift += 8) {
    hash = (hash ^ ((bits >> shift) & 0xFF)) * 1099511628211u;
  }
  return hash;
}

}  // namespace

// Every bit of every table entry and curve value (and so each kind's range, and its value at
// 360 degrees being the one at 0), as the engine's own correctly rounded functions give them on
// any CPU, compiler or C library (the test run repeats this with glibc's FMA code paths switched
// off). A change here moves pixels somewhere, even if no figure shows it. Kinds and angles
// outside the table have the value 0.
TEST(CurveMathTest, TablesAndEveryCurveValueHaveTheirExactBits) {
  const CTrigTables trig;
  std::uint64_t tables = 14695981039346656037u;
  for (const auto* table : {&trig.m_sinTable, &trig.m_cosTable}) {
    for (const double value : *table) {
      tables = HashBits(tables, value);
    }
  }
  std::uint64_t curves = 14695981039346656037u;
  for (int kind = 0; kind < 50; ++kind) {
    for (int a = 0; a <= 360; ++a) {
      curves = HashBits(curves, trig.CurveValue(a, kind));
    }
  }
  EXPECT_EQ(tables, 18414413024921217332u);
  EXPECT_EQ(curves, 13671534635124779819u);
  for (auto [a, kind] : {std::pair{0, 50}, {180, -1}, {-1, 1}, {361, 1}}) {
    EXPECT_EQ(trig.CurveValue(a, kind), 0.0) << a << " " << kind;
  }
}

// Arguments whose exponential lies within 0.002 units of the last place of a midpoint (where
// glibc's FMA code path rounds the wrong way), the ends of the range, and what has no value.
TEST(RoundedMathTest, RoundsHardCasesCorrectlyAndEndsOutOfRangeArguments) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> exps[] = {{0.5590169943627606, 1.748952424919755},
                                            {-0.2052061530207819, 0.8144793917159509},
                                            {1.0, 2.718281828459045},
                                            {-700.0, 9.85967654375977e-305},
                                            {700.0, 1.0142320547350045e+304},
                                            {710.0, inf},
                                            {-746.0, 0.0},
                                            {1e-300, 1.0}};
  for (const auto& [x, value] : exps) {
    EXPECT_EQ(RoundedMath::Exp(x), value) << x;
  }
  EXPECT_TRUE(std::isnan(RoundedMath::Exp(nan)));
  EXPECT_TRUE(std::isnan(RoundedMath::Sin(nan)) && std::isnan(RoundedMath::Cos(nan)));
  EXPECT_EQ(std::tuple(RoundedMath::Sin(-0.5), RoundedMath::Cos(2.0), RoundedMath::Cube(0.7)),
            std::tuple(-0.479425538604203, -0.4161468365471424, 0.3429999999999999));
  EXPECT_TRUE(std::signbit(RoundedMath::Cube(-0.0)) && std::signbit(RoundedMath::Sin(-0.0)));
}

TEST(CurveMathTest, KindTableRejects412OrderedPairsSymmetrically) {
  CFigurePlan plan;
  // The clashing pairs' number, and a weighted sum that tells which pairs they are (the set is
  // symmetric, so a one-sided change shows in the sum).
  int clashes = 0;
  long which = 0;
  for (plan.m_kindX = 0; plan.m_kindX < 50; ++plan.m_kindX) {
    for (plan.m_kindY = 0; plan.m_kindY < 50; ++plan.m_kindY) {
      const int clash = plan.KindsClash();
      clashes += clash;
      which += clash * (plan.m_kindX * 64 + plan.m_kindY) * (plan.m_kindX + 1);
    }
  }
  EXPECT_EQ(std::pair(clashes, which), std::pair(412, 22392484L));
}
