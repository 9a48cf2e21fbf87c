#pragma once

#include <cstdint>

// Lines may run between any two 32-bit points, so their walk positions need products of a
// 34-bit and a 32-bit number; this keeps such products exact without a 128-bit integer type.

struct SFloorDivision {
  std::int64_t quotient = 0;
  std::int64_t remainder = 0;
};

// floor((factor1 * factor2 + addend) / divisor) and its remainder (0 <= remainder < divisor),
// for the walk's arguments: 0 <= factor1 < 2^34, 0 <= factor2 < 2^32, 0 <= addend < 2^34 and
// 0 < divisor < 2^34, whose quotients stay below 2^33.
SFloorDivision FloorMulAddDiv(std::int64_t factor1, std::int64_t factor2, std::int64_t addend,
                              std::int64_t divisor);

// The sign (-1, 0 or 1) of a * b - c * d, exact for any 64-bit factors whose products fit in
// 127 bits (|factor| < 2^63): the orientation and direction tests of large arcs need it for
// vectors of up to 35 bits.
int SignOfProductDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
