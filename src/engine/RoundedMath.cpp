#include "engine/RoundedMath.h"

#include <cmath>

#include "engine/DoubleDouble.h"

using DoubleDouble::Add;
using DoubleDouble::Divide;
using DoubleDouble::Multiply;
using DoubleDouble::QuickTwoSum;
using DoubleDouble::TwoProduct;
using DoubleDouble::TwoSum;

// Of the C library only what IEEE defines exactly is used here (fabs, nearbyint, ldexp), so that
// no machine's library can change a bit.
namespace {

// pi / 2 as the sum of three doubles, about 160 bits.
constexpr double kHalfPi1 = 1.5707963267948966;
constexpr double kHalfPi2 = 6.123233995736766e-17;
constexpr double kHalfPi3 = -1.4973849048591698e-33;
constexpr double kQuarterPi = 0.7853981633974483;

// ln 2 as three doubles, the first with 42 significant bits so that k times it is exact for
// every |k| below 2^11, which covers every exponent a double has.
constexpr double kLn2First = 0x1.62e42fefa38p-1;
constexpr double kLn2Second = 0x1.ef35793c7673p-45;
constexpr double kLn2Third = 0x1.f97b57a079a19p-103;
constexpr double kInverseLn2 = 1.4426950408889634;

// Beyond these, exp(x) is larger than the largest double or rounds to zero.
constexpr double kExpOverflow = 709.79;
constexpr double kExpUnderflow = -745.14;

// Terms of a series are added until they fall below this part of the first one; a NaN argument
// ends at the cap instead.
constexpr double kNegligible = 0x1p-110;
constexpr int kMostTerms = 64;

bool Negligible(SDoubleDouble term, double scale, int n) {
  return std::fabs(term.hi) <= kNegligible * scale || n > kMostTerms;
}

// The Taylor series of sine or cosine at a small argument y (|y| <= pi / 4 + a little): each
// term is the last times -y^2 / ((n + 1)(n + 2)). The first term is y for sine and 1 for cosine.
SDoubleDouble TrigSeries(SDoubleDouble y, bool cosine) {
  const SDoubleDouble minusSquare = [&] {
    const SDoubleDouble square = Multiply(y, y);
    return SDoubleDouble{-square.hi, -square.lo};
  }();
  SDoubleDouble term = cosine ? SDoubleDouble{1.0, 0.0} : y;
  SDoubleDouble sum = term;
  const double scale = std::fabs(term.hi);
  for (int n = cosine ? 0 : 1; !Negligible(term, scale, n); n += 2) {
    term = Divide(Multiply(term, minusSquare), static_cast<double>((n + 1) * (n + 2)));
    sum = Add(sum, term);
  }
  return sum;
}

// sin(x) or cos(x) for 0 <= x <= 2. Above pi / 4 the argument is taken from pi / 2, where the
// co-function's series converges fast and no digits cancel near the zero of the cosine.
double TrigOfNonNegative(double x, bool cosine) {
  if (x <= kQuarterPi) {
    return DoubleDouble::Round(TrigSeries({x, 0.0}, cosine));
  }
  // kHalfPi1 - x is exact (Sterbenz: x lies within a factor of two of it).
  SDoubleDouble rest = TwoSum(kHalfPi1 - x, kHalfPi2);
  rest = QuickTwoSum(rest.hi, rest.lo + kHalfPi3);
  return DoubleDouble::Round(TrigSeries(rest, !cosine));
}

// exp(r) for |r| <= 0.35 + a little: 1 + r + r^2/2! + ...
SDoubleDouble ExpSeries(SDoubleDouble r) {
  SDoubleDouble term{1.0, 0.0};
  SDoubleDouble sum = term;
  for (int n = 1; !Negligible(term, 1.0, n); ++n) {
    term = Divide(Multiply(term, r), static_cast<double>(n));
    sum = Add(sum, term);
  }
  return sum;
}

}  // namespace

namespace RoundedMath {

double Sin(double x) {
  return x < 0.0 ? -TrigOfNonNegative(-x, false) : TrigOfNonNegative(x, false);
}

double Cos(double x) {
  return TrigOfNonNegative(std::fabs(x), true);
}

double Exp(double x) {
  if (std::isnan(x)) {
    return x;
  }
  if (x > kExpOverflow) {
    return HUGE_VAL;
  }
  if (x < kExpUnderflow) {
    return 0.0;
  }
  // exp(x) = 2^k exp(r) with r = x - k ln 2 and |r| <= ln 2 / 2 (a little more where the
  // quotient rounds): x - k * kLn2First is exact, and the other two parts of ln 2 follow in
  // double-double.
  const double k = std::nearbyint(x * kInverseLn2);
  SDoubleDouble r = TwoSum(x - k * kLn2First, 0.0);
  r = Add(r, Multiply(SDoubleDouble{kLn2Second, kLn2Third}, -k));
  // Scaling by a power of two is exact while the result stays normal.
  return std::ldexp(DoubleDouble::Round(ExpSeries(r)), static_cast<int>(k));
}

double Cube(double x) {
  if (x == 0.0 || !std::isfinite(x)) {
    return x * x * x;  // the sign of a zero, which the sum of the parts below would lose
  }
  const SDoubleDouble square = TwoProduct(x, x);
  const SDoubleDouble cube = Multiply(square, x);
  return DoubleDouble::Round(cube);
}

}  // namespace RoundedMath
