#include "canvas/WideMath.h"

SFloorDivision FloorMulAddDiv(std::int64_t factor1, std::int64_t factor2, std::int64_t addend,
                              std::int64_t divisor) {
  const auto lhs = static_cast<std::uint64_t>(factor1);
  const auto rhs = static_cast<std::uint64_t>(factor2);
  const auto wideDivisor = static_cast<std::uint64_t>(divisor);
  // The product is low(lhs) * rhs plus high(lhs) * rhs shifted up 32 bits, each partial product
  // below 2^64 because rhs is below 2^32; `high` counts the numerator's multiples of 2^64.
  const std::uint64_t lowProduct = (lhs & 0xFFFFFFFFu) * rhs;
  const std::uint64_t highProduct = (lhs >> 32) * rhs;
  const std::uint64_t product = lowProduct + (highProduct << 32);
  const std::uint64_t numerator = product + static_cast<std::uint64_t>(addend);
  const std::uint64_t high =
      (highProduct >> 32) + (product < lowProduct ? 1 : 0) + (numerator < product ? 1 : 0);
  if (high == 0) {
    return {static_cast<std::int64_t>(numerator / wideDivisor),
            static_cast<std::int64_t>(numerator % wideDivisor)};
  }
  // Schoolbook division one bit at a time; the remainder stays below the divisor (< 2^34), so
  // shifting it never overflows. Only lines longer than 2^30 pixels come here.
  std::uint64_t remainder = high;
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    remainder = (remainder << 1) | ((numerator >> bit) & 1u);
    quotient <<= 1;
    if (remainder >= wideDivisor) {
      remainder -= wideDivisor;
      quotient |= 1u;
    }
  }
  return {static_cast<std::int64_t>(quotient), static_cast<std::int64_t>(remainder)};
}

namespace {

// A signed 128-bit product as a sign and a magnitude in two 64-bit halves.
struct SWideProduct {
  int sign = 0;
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

SWideProduct Multiply(std::int64_t a, std::int64_t b) {
  if (a == 0 || b == 0) {
    return {};
  }
  const std::uint64_t x = Magnitude(a);
  const std::uint64_t y = Magnitude(b);
  const std::uint64_t lowLow = (x & 0xFFFFFFFFu) * (y & 0xFFFFFFFFu);
  const std::uint64_t lowHigh = (x & 0xFFFFFFFFu) * (y >> 32);
  const std::uint64_t highLow = (x >> 32) * (y & 0xFFFFFFFFu);
  const std::uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
  return {(a < 0) != (b < 0) ? -1 : 1,
          (x >> 32) * (y >> 32) + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}

}  // namespace

int SignOfProductDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
  const SWideProduct left = Multiply(a, b);
  const SWideProduct right = Multiply(c, d);
  if (left.sign != right.sign) {
    return left.sign > right.sign ? 1 : -1;
  }
  const int larger = left.high != right.high ? (left.high > right.high ? 1 : -1)
                     : left.low != right.low ? (left.low > right.low ? 1 : -1)
                                             : 0;
  return left.sign < 0 ? -larger : larger;
}
