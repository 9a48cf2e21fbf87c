#pragma once

#include <cstddef>
#include <cstdint>

// Decodes run-length pixels (8-bit runs for 8-bit images, 4-bit runs for 4-bit images) into
// bottom-up rows that are already zero-filled. Pixels the codes skip or place outside the
// image stay 0 or are dropped; the decoder never reads or writes outside the two buffers.
void DecodeRle(const std::uint8_t* codes, std::size_t codeBytes, int bitCount, int width, int rows,
               std::uint8_t* pixels, std::size_t rowBytes);
