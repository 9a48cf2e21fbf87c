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
