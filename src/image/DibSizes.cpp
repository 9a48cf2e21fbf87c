#include "image/DibSizes.h"

#include <limits>

namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint64_t kInfoHeaderBytes = 40;
// A row's bytes are counted in an int.
constexpr std::int64_t kRowLimit = std::int64_t{1} << 31;

}  // namespace

std::int64_t DibRowBytes(std::int32_t width, int bitCount) {
  const std::int64_t bytes = (std::int64_t{width} * bitCount + 31) / 32 * 4;
  return bytes > 0 && bytes < kRowLimit ? bytes : -1;
}

std::uint32_t DibImageBytes(std::int64_t rowBytes, std::int64_t rows) {
  // Dividing instead of multiplying keeps the check itself from overflowing.
  if (rowBytes < 1 || rows < 1 || rowBytes > std::int64_t{kMax32} / rows) {
    return 0;
  }
  return static_cast<std::uint32_t>(rowBytes * rows);
}

std::uint32_t DibBlockBytes(std::uint64_t tableBytes, std::uint64_t imageBytes) {
  constexpr std::uint64_t kRoom = kMax32 - kFileHeaderBytes - kInfoHeaderBytes;
  if (imageBytes == 0 || tableBytes > kRoom || imageBytes > kRoom - tableBytes) {
    return 0;
  }
  return static_cast<std::uint32_t>(kInfoHeaderBytes + tableBytes + imageBytes);
}
