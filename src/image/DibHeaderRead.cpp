#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "image/BitFields.h"
#include "image/DibFileIo.h"
#include "image/LittleEndian.h"

namespace {

// The largest info header a reader meets (the fifth version of the header).
constexpr std::uint32_t kLargestInfoHeader = 124;
// OS/2's second header: its compression numbers above 2 mean other things than Windows's.
constexpr std::uint32_t kOs2InfoHeader = 64;
constexpr std::uint32_t kMasksBytes = 12;
// One two-byte code spells at most 255 pixels; a picture its codes cannot spell is a false
// claim, and believing it would cost memory and time out of all proportion to the file.
constexpr std::uint64_t kPixelsPerCode = 255;

bool IsKnownInfoHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
         size == kOs2InfoHeader || size == 108 || size == kLargestInfoHeader;
}

bool IsRunLength(std::uint32_t compression, std::uint16_t bitCount) {
  return (compression == kCompressionRle8 && bitCount == 8) ||
         (compression == kCompressionRle4 && bitCount == 4);
}

}  // namespace

DibPtr ReadDibHeader(IBinaryFile& file) {
  const std::int64_t start = file.Tell();
  const std::int64_t fileSize = file.Size();
  if (start < 0 || fileSize < start) {
    return nullptr;
  }
  std::uint8_t fileHeader[kFileHeaderSize];
  if (file.Read(fileHeader, sizeof fileHeader) != sizeof fileHeader) {
    return nullptr;
  }
  const bool hasFileHeader = fileHeader[0] == 'B' && fileHeader[1] == 'M';
  const std::uint32_t pixelOffset = hasFileHeader ? GetLe32(fileHeader + 10) : 0;
  const std::int64_t infoStart = start + (hasFileHeader ? kFileHeaderSize : 0);

  // Room for the largest header and the masks behind a 40-byte one.
  std::uint8_t info[kLargestInfoHeader + kMasksBytes] = {};
  if (file.SeekTo(infoStart) == 0 || file.Read(info, 4) != 4) {
    return nullptr;
  }
  const std::uint32_t infoSize = GetLe32(info);
  if (!IsKnownInfoHeaderSize(infoSize) || file.Read(info + 4, infoSize - 4) != infoSize - 4) {
    return nullptr;
  }
  BitmapInfoHeader header;
  const bool core = infoSize == kCoreHeaderSize;
  if (core) {
    header.biWidth = GetLe16(info + 4);
    header.biHeight = GetLe16(info + 6);
    header.biBitCount = GetLe16(info + 10);
  } else {
    header = ReadInfoHeader(info);
    header.biSize = kInfoHeaderSize;
  }
  header.biPlanes = 1;
  // Widths and heights that are not positive fail the size rules below.
  if (!IsDibBitCount(header.biBitCount) ||
      header.biHeight == std::numeric_limits<std::int32_t>::min()) {
    return nullptr;
  }

  std::int64_t tableStart = infoStart + infoSize;
  const bool masked = header.biCompression == kCompressionBitFields && infoSize != kOs2InfoHeader;
  const bool runLength = IsRunLength(header.biCompression, header.biBitCount) &&
                         header.biHeight > 0 && infoSize != kOs2InfoHeader;
  if (masked && infoSize == kInfoHeaderSize) {
    // A plain info header keeps its masks right behind it; the longer ones hold them.
    if (file.Read(info + kInfoHeaderSize, kMasksBytes) != kMasksBytes) {
      return nullptr;
    }
    tableStart += kMasksBytes;
  }
  if (masked ? !AreUsableMasks(ReadChannelMasks(info + kInfoHeaderSize), header.biBitCount)
             : !runLength && header.biCompression != kCompressionRgb) {
    return nullptr;  // embedded JPEG or PNG pixels, and masks that are no channels, are not read
  }

  // Colour count: whatever the header says, at most what the pixels can index and at most 256.
  std::uint32_t colours = core ? 0 : header.biClrUsed;
  if (header.biBitCount <= 8) {
    const std::uint32_t indexable = 1u << header.biBitCount;
    colours = colours == 0 ? indexable : colours;
    if (colours > indexable) {
      return nullptr;
    }
  } else if (colours > 256) {
    return nullptr;
  }
  const std::uint32_t entryBytes = core ? 3 : 4;
  const std::int64_t tableEnd = tableStart + std::int64_t{colours} * entryBytes;
  // Masked pixels carry their colours; a table beside them is only a hint and is not kept.
  const std::uint32_t keptColours = masked ? 0 : colours;

  const std::int64_t rows = std::abs(std::int64_t{header.biHeight});
  const std::uint32_t imageBytes =
      DibImageBytes(DibRowBytes(header.biWidth, header.biBitCount), rows);
  if (DibBlockBytes(4 * keptColours, imageBytes) == 0) {
    return nullptr;
  }
  // The pixel rows must lie behind the headers and wholly inside the file.
  std::int64_t pixelStart = tableEnd;
  if (pixelOffset != 0) {
    pixelStart = start + pixelOffset;
    if (pixelStart < infoStart + infoSize) {
      return nullptr;
    }
  }
  std::uint32_t fileBytes = imageBytes;
  if (runLength) {
    // The codes may say less than the whole rest of the file; without a size they take it all.
    const std::int64_t rest = std::clamp<std::int64_t>(fileSize - pixelStart, 0,
                                                       std::numeric_limits<std::uint32_t>::max());
    fileBytes = header.biSizeImage != 0 && header.biSizeImage <= rest
                    ? header.biSizeImage
                    : static_cast<std::uint32_t>(rest);
    if (std::uint64_t{static_cast<std::uint32_t>(header.biWidth)} *
            static_cast<std::uint64_t>(rows) >
        kPixelsPerCode * (fileBytes / 2)) {
      return nullptr;
    }
  }
  if (tableEnd > fileSize || pixelStart + fileBytes > fileSize) {
    return nullptr;
  }

  DibPtr block = CallocDib(kInfoHeaderSize + (masked ? kMasksBytes : 4 * keptColours));
  if (!block) {
    return nullptr;
  }
  std::uint8_t* table = block.get() + kInfoHeaderSize;
  if (masked) {
    std::memcpy(table, info + kInfoHeaderSize, kMasksBytes);
  } else if (file.SeekTo(tableStart) == 0 ||
             file.Read(table, colours * entryBytes) != colours * entryBytes) {
    return nullptr;
  }
  for (std::uint32_t i = keptColours; i-- > 0;) {
    // Widen 3-byte core entries in place from the last, and clear the reserved byte.
    std::memmove(table + 4 * i, table + entryBytes * i, 3);
    table[4 * i + 3] = 0;
  }
  header.biSizeImage = fileBytes;
  header.biClrUsed = keptColours;
  if (header.biClrImportant > keptColours) {
    header.biClrImportant = 0;
  }
  WriteInfoHeader(block.get(), header);
  return file.SeekTo(pixelStart) == 0 ? nullptr : std::move(block);
}
