#include "canvas/WideMath.h"

#include <limits>

namespace {

SFloorDivision FloorDivide(std::int64_t numerator, std::int64_t divisor) {
  std::int64_t quotient = numerator / divisor;
  std::int64_t remainder = numerator % divisor;
  if (remainder < 0) {
    --quotient;
    remainder += divisor;
  }
  return {quotient, remainder};
}

struct SWide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

SWide MultiplyWide(std::uint64_t lhs, std::uint64_t rhs) {
  const std::uint64_t mask = 0xFFFFFFFFu;
  const std::uint64_t lowLow = (lhs & mask) * (rhs & mask);
  const std::uint64_t lowHigh = (lhs & mask) * (rhs >> 32);
  const std::uint64_t highLow = (lhs >> 32) * (rhs & mask);
  const std::uint64_t highHigh = (lhs >> 32) * (rhs >> 32);
  const std::uint64_t middle = (lowLow >> 32) + (lowHigh & mask) + (highLow & mask);
  SWide result;
  result.low = (lowLow & mask) | (middle << 32);
  result.high = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
  return result;
}

SWide AddSigned(SWide value, std::int64_t addend) {
  const std::uint64_t before = value.low;
  value.low += static_cast<std::uint64_t>(addend);
  if (addend >= 0) {
    value.high += value.low < before ? 1 : 0;
  } else {
    value.high -= value.low > before ? 1 : 0;
  }
  return value;
}

}  // namespace

SFloorDivision FloorMulAddDiv(std::int64_t factor1, std::int64_t factor2, std::int64_t addend,
                              std::int64_t divisor) {
  constexpr std::int64_t kDirectLimit = std::numeric_limits<std::int64_t>::max() / 2;
  if (factor1 == 0 || factor2 <= kDirectLimit / factor1) {
    return FloorDivide(factor1 * factor2 + addend, divisor);
  }
  // The product exceeds 2^62 and the addend is far smaller, so the sum is positive.
  const SWide numerator = AddSigned(
      MultiplyWide(static_cast<std::uint64_t>(factor1), static_cast<std::uint64_t>(factor2)),
      addend);
  const auto wideDivisor = static_cast<std::uint64_t>(divisor);
  if (numerator.high >= wideDivisor) {
    return {kSaturatedQuotient, 0};
  }
  // Schoolbook division one bit at a time; the remainder stays below the divisor (< 2^40),
  // so shifting it never overflows. Only lines longer than 2^30 pixels come here.
  std::uint64_t remainder = numerator.high;
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    remainder = (remainder << 1) | ((numerator.low >> bit) & 1u);
    quotient <<= 1;
    if (remainder >= wideDivisor) {
      remainder -= wideDivisor;
      quotient |= 1u;
    }
  }
  if (quotient > static_cast<std::uint64_t>(kSaturatedQuotient)) {
    return {kSaturatedQuotient, 0};
  }
  return {static_cast<std::int64_t>(quotient), static_cast<std::int64_t>(remainder)};
}
