#include "image/BitFields.h"

#include <bit>

#include "image/LittleEndian.h"

namespace {

std::uint8_t ScaledChannel(std::uint32_t pixel, std::uint32_t mask) {
  const int shift = std::countr_zero(mask);
  const std::uint64_t top = mask >> shift;
  const std::uint64_t value = (pixel & mask) >> shift;
  return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
}

}  // namespace

ChannelMasks ReadChannelMasks(const std::uint8_t* bytes) {
  return {GetLe32(bytes), GetLe32(bytes + 4), GetLe32(bytes + 8)};
}

bool AreUsableMasks(const ChannelMasks& masks, int bitCount) {
  if (bitCount != 16 && bitCount != 32) {
    return false;
  }
  for (const std::uint32_t mask : masks) {
    const std::uint32_t run = mask == 0 ? 0 : mask >> std::countr_zero(mask);
    if (run == 0 || (run & (run + 1)) != 0 || static_cast<int>(std::bit_width(mask)) > bitCount) {
      return false;
    }
  }
  return true;
}

bool AreBlockMasks(const ChannelMasks& masks, int bitCount) {
  return masks == (bitCount == 16 ? ChannelMasks{0x7C00, 0x03E0, 0x001F}
                                  : ChannelMasks{0x00FF0000, 0x0000FF00, 0x000000FF});
}

void ConvertMaskedRow(const std::uint8_t* source, int bitCount, const ChannelMasks& masks,
                      std::uint8_t* target, int width) {
  const auto pixels = static_cast<std::size_t>(width);
  for (std::size_t x = 0; x < pixels; ++x, target += 3) {
    const std::uint32_t pixel = bitCount == 16 ? GetLe16(source + 2 * x) : GetLe32(source + 4 * x);
    target[0] = ScaledChannel(pixel, masks[2]);
    target[1] = ScaledChannel(pixel, masks[1]);
    target[2] = ScaledChannel(pixel, masks[0]);
  }
}
