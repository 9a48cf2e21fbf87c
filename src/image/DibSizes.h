#pragma once

#include <cstdint>

// The size rules of a block, on fixed-width types: whatever the width of size_t, a size that
// does not fit is refused here instead of wrapping into a small allocation. A block and the
// 14-byte file header in front of it fit the 32 bits of a file's size field, so every size
// that passes also fits a size_t on a 32-bit build.

// Bytes of one pixel row: (width x bitCount + 31) / 32 x 4; -1 when there are none or they do
// not fit 31 bits.
std::int64_t DibRowBytes(std::int32_t width, int bitCount);

// rowBytes x rows; 0 when either is not positive or the product does not fit 32 bits.
std::uint32_t DibImageBytes(std::int64_t rowBytes, std::int64_t rows);

// The 40-byte info header, the colour table and the pixel rows together; 0 when there are no
// pixel rows or the block with its file header would not fit 32 bits.
std::uint32_t DibBlockBytes(std::uint64_t tableBytes, std::uint64_t imageBytes);
