#pragma once

#include <cstdint>

// Lines may run between any two 32-bit points, so their walk positions need products of two
// 33-bit numbers; these helpers keep such products exact without a 128-bit integer type.

struct SFloorDivision {
  std::int64_t quotient = 0;
  // Only meaningful when the quotient did not saturate.
  std::int64_t remainder = 0;
};

// Largest quotient FloorMulAddDiv reports; callers only compare it with walk lengths below 2^35.
inline constexpr std::int64_t kSaturatedQuotient = std::int64_t{1} << 62;

// floor((factor1 * factor2 + addend) / divisor) and its remainder (0 <= remainder < divisor).
// Requires 0 <= factor1, factor2 < 2^40, |addend| < 2^40 and 0 < divisor < 2^40; quotients
// above kSaturatedQuotient are reported as kSaturatedQuotient.
SFloorDivision FloorMulAddDiv(std::int64_t factor1, std::int64_t factor2, std::int64_t addend,
                              std::int64_t divisor);
