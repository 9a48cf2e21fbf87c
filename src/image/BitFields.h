#pragma once

#include <array>
#include <cstdint>

// Pixels of 16 or 32 bits whose red, green and blue are picked out by masks (compression 3).
// Masks that match the block's own layouts (5-5-5 at 16 bits, 8-8-8 at 32) keep the pixels as
// they are; any other masks of contiguous bits are read into 24-bit pixels, every channel
// scaled to 8 bits, so that none loses a bit it can keep (a 6-bit green stays distinct).

using ChannelMasks = std::array<std::uint32_t, 3>;  // red, green, blue

ChannelMasks ReadChannelMasks(const std::uint8_t* bytes);

// True when every mask is one run of set bits inside a pixel of bitCount (16 or 32) bits.
bool AreUsableMasks(const ChannelMasks& masks, int bitCount);

// True when the masks are the block's own layout for this bit count.
bool AreBlockMasks(const ChannelMasks& masks, int bitCount);

// One row of width pixels of bitCount bits into blue, green, red bytes.
void ConvertMaskedRow(const std::uint8_t* source, int bitCount, const ChannelMasks& masks,
                      std::uint8_t* target, int width);
