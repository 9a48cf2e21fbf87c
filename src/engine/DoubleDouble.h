#pragma once

// Numbers carried as the unevaluated sum of two doubles, about 106 bits of precision, built
// from ordinary IEEE double additions and multiplications only. The error-free steps below
// (Knuth's two-sum, Veltkamp's split and Dekker's product) are exact only when every operation
// is rounded to double on its own: no fused multiply-add, no wider x87 registers, no
// reassociation. The engine is compiled to guarantee that (see its CMakeLists.txt).
struct SDoubleDouble {
  double hi = 0.0;
  double lo = 0.0;
};

namespace DoubleDouble {

// a + b exactly, as the rounded sum and its rounding error.
inline SDoubleDouble TwoSum(double a, double b) {
  const double sum = a + b;
  const double bPart = sum - a;
  const double aPart = sum - bPart;
  return {sum, (a - aPart) + (b - bPart)};
}

// The same when |a| >= |b| (or a is 0), one step cheaper.
inline SDoubleDouble QuickTwoSum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// a as a high half of 26 bits and a low half, so that products of halves are exact.
inline SDoubleDouble Split(double a) {
  const double scaled = 134217729.0 * a;  // 2^27 + 1
  const double high = scaled - (scaled - a);
  return {high, a - high};
}

// a * b exactly, as the rounded product and its rounding error.
inline SDoubleDouble TwoProduct(double a, double b) {
  const double product = a * b;
  const SDoubleDouble x = Split(a);
  const SDoubleDouble y = Split(b);
  const double error = ((x.hi * y.hi - product) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
  return {product, error};
}

inline SDoubleDouble Add(SDoubleDouble a, SDoubleDouble b) {
  SDoubleDouble high = TwoSum(a.hi, b.hi);
  const SDoubleDouble low = TwoSum(a.lo, b.lo);
  high = QuickTwoSum(high.hi, high.lo + low.hi);
  return QuickTwoSum(high.hi, high.lo + low.lo);
}

inline SDoubleDouble Multiply(SDoubleDouble a, SDoubleDouble b) {
  const SDoubleDouble product = TwoProduct(a.hi, b.hi);
  return QuickTwoSum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline SDoubleDouble Multiply(SDoubleDouble a, double b) {
  const SDoubleDouble product = TwoProduct(a.hi, b);
  return QuickTwoSum(product.hi, product.lo + a.lo * b);
}

// a / b for a double b: a first quotient, then the quotient of what it leaves over.
inline SDoubleDouble Divide(SDoubleDouble a, double b) {
  const double first = a.hi / b;
  const SDoubleDouble back = TwoProduct(first, b);
  const double rest = ((a.hi - back.hi) - back.lo) + a.lo;
  return QuickTwoSum(first, rest / b);
}

// The double nearest to a.hi + a.lo. Kept normalised (|lo| at most half a unit of hi's last
// place), hi already is that double; adding the halves again keeps it so for any input.
inline double Round(SDoubleDouble a) {
  return a.lo == 0.0 ? a.hi : a.hi + a.lo;
}

}  // namespace DoubleDouble
