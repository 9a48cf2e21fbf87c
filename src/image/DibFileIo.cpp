#include "image/DibFileIo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "image/DibBlock.h"
#include "image/LittleEndian.h"
#include "image/RleDecode.h"

namespace {

// The largest info header a reader meets (the fifth version of the header).
constexpr std::uint32_t kLargestInfoHeader = 124;
constexpr std::uint32_t kOs2InfoHeader = 64;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
// Run-length codes expand at most 128-fold when they spell every pixel; pictures that skip
// rows with end-of-line codes may reach further, but not past this.
constexpr std::uint64_t kRunLengthExpansion = 1024;
constexpr std::uint64_t kRunLengthSlack = 1 << 20;

bool IsRunLength(std::uint32_t compression, std::uint16_t bitCount) {
  return (compression == kCompressionRle8 && bitCount == 8) ||
         (compression == kCompressionRle4 && bitCount == 4);
}

// How the pixel rows in the file differ from the block's form.
struct PixelLayout {
  bool topDown = false;         // negative height: the first row in the file is the top row
  bool rgb565 = false;          // 16-bit pixels with 6 bits of green, narrowed to 5-5-5 on reading
  bool runLength = false;       // run-length codes, decoded on reading
  std::uint32_t fileBytes = 0;  // bytes of pixel data in the file
  std::uint32_t rowBytes = 0;
  std::uint32_t imageBytes = 0;
};

bool IsKnownInfoHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
         size == kOs2InfoHeader || size == 108 || size == kLargestInfoHeader;
}

// Bit-field files are read when their masks describe the plain 16- or 32-bit pixel forms (or
// 5-6-5, which narrows to 5-5-5); other masks would need a conversion per channel.
bool AcceptBitFields(std::uint16_t bitCount, const std::uint8_t* masks, PixelLayout& layout) {
  const std::uint32_t red = GetLe32(masks), green = GetLe32(masks + 4), blue = GetLe32(masks + 8);
  if (bitCount == 32) {
    return red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF;
  }
  if (bitCount == 16) {
    if (red == 0x7C00 && green == 0x03E0 && blue == 0x001F) {
      return true;
    }
    if (red == 0xF800 && green == 0x07E0 && blue == 0x001F) {
      layout.rgb565 = true;
      return true;
    }
  }
  return false;
}

std::uint8_t* ReadHeaderAndTable(IBinaryFile& file, PixelLayout& layout, DibFileFacts* facts) {
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
  if (file.SeekTo(infoStart) == 0) {
    return nullptr;
  }

  std::uint8_t info[kLargestInfoHeader + 12] = {};
  if (file.Read(info, 4) != 4) {
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
  if (!IsDibBitCount(header.biBitCount) || header.biWidth < 1 || header.biHeight == 0 ||
      header.biHeight == std::numeric_limits<std::int32_t>::min()) {
    return nullptr;
  }

  std::int64_t tableStart = infoStart + infoSize;
  if (header.biCompression == kCompressionBitFields && infoSize != kOs2InfoHeader) {
    const std::uint8_t* masks = info + kInfoHeaderSize;
    if (infoSize == kInfoHeaderSize) {
      // A plain info header keeps its three masks right behind it.
      if (file.Read(info + kInfoHeaderSize, 12) != 12) {
        return nullptr;
      }
      tableStart += 12;
    }
    if (!AcceptBitFields(header.biBitCount, masks, layout)) {
      return nullptr;
    }
  } else if (IsRunLength(header.biCompression, header.biBitCount) && header.biHeight > 0 &&
             infoSize != kOs2InfoHeader) {
    layout.runLength = true;
  } else if (header.biCompression != kCompressionRgb) {
    return nullptr;  // embedded JPEG or PNG pixels, and masks that mean other things, are not read
  }
  if (facts != nullptr) {
    *facts = {header.biWidth,       header.biHeight, header.biBitCount, 0,
              header.biCompression, infoSize};
  }

  // Colour count: whatever the header says, at most what the pixels can index and at most 256.
  std::uint32_t colours = core ? 0 : header.biClrUsed;
  if (header.biBitCount <= 8) {
    const std::uint32_t indexable = 1u << header.biBitCount;
    if (colours == 0) {
      colours = indexable;
    }
    if (colours > indexable) {
      return nullptr;
    }
  } else if (colours > 256) {
    return nullptr;
  }
  const std::uint32_t entryBytes = core ? 3 : 4;
  const std::int64_t tableEnd = tableStart + std::int64_t{colours} * entryBytes;

  layout.topDown = header.biHeight < 0;
  const std::int64_t rows = layout.topDown ? -std::int64_t{header.biHeight} : header.biHeight;
  const std::int64_t rowBytes = DibRowBytes(header.biWidth, header.biBitCount);
  if (rowBytes < 0 || rowBytes * rows > std::numeric_limits<std::uint32_t>::max()) {
    return nullptr;
  }
  layout.rowBytes = static_cast<std::uint32_t>(rowBytes);
  layout.imageBytes = static_cast<std::uint32_t>(rowBytes * rows);

  // The pixel rows must lie behind the headers and wholly inside the file.
  std::int64_t pixelStart = tableEnd;
  if (pixelOffset != 0) {
    pixelStart = start + pixelOffset;
    if (pixelStart < infoStart + infoSize) {
      return nullptr;
    }
  }
  layout.fileBytes = layout.imageBytes;
  if (layout.runLength) {
    // The codes may say less than the whole rest of the file; without a size they take it all.
    const std::int64_t rest = std::clamp<std::int64_t>(fileSize - pixelStart, 0,
                                                       std::numeric_limits<std::uint32_t>::max());
    layout.fileBytes = static_cast<std::uint32_t>(
        header.biSizeImage != 0 && header.biSizeImage <= rest ? header.biSizeImage : rest);
    if (layout.imageBytes >
        kRunLengthExpansion * std::uint64_t{layout.fileBytes} + kRunLengthSlack) {
      return nullptr;  // a few bytes of codes must not claim a huge picture
    }
  }
  if (tableEnd > fileSize || pixelStart + layout.fileBytes > fileSize) {
    return nullptr;
  }

  auto* block = static_cast<std::uint8_t*>(std::calloc(kInfoHeaderSize + 4 * colours, 1));
  if (block == nullptr) {
    return nullptr;
  }
  std::uint8_t* table = block + kInfoHeaderSize;
  if (file.SeekTo(tableStart) == 0 ||
      file.Read(table, colours * entryBytes) != colours * entryBytes) {
    std::free(block);
    return nullptr;
  }
  for (std::uint32_t i = colours; i-- > 0;) {
    std::memmove(table + 4 * i, table + entryBytes * i, 3);
    table[4 * i + 3] = 0;
  }

  header.biHeight = static_cast<std::int32_t>(rows);
  header.biCompression = kCompressionRgb;
  header.biSizeImage = layout.imageBytes;
  header.biClrUsed = colours;
  if (header.biClrImportant > colours) {
    header.biClrImportant = 0;
  }
  WriteInfoHeader(block, header);
  if (facts != nullptr) {
    facts->colours = static_cast<int>(colours);
  }

  if (file.SeekTo(pixelStart) == 0) {
    std::free(block);
    return nullptr;
  }
  return block;
}

void FlipRows(std::uint8_t* rows, std::uint32_t rowBytes, std::uint32_t imageBytes) {
  const std::uint32_t count = rowBytes == 0 ? 0 : imageBytes / rowBytes;
  for (std::uint32_t top = 0, bottom = count; top + 1 < bottom; ++top, --bottom) {
    std::uint8_t* a = rows + std::size_t{top} * rowBytes;
    std::uint8_t* b = rows + std::size_t{bottom - 1} * rowBytes;
    for (std::uint32_t i = 0; i < rowBytes; ++i) {
      const std::uint8_t t = a[i];
      a[i] = b[i];
      b[i] = t;
    }
  }
}

void Narrow565(std::uint8_t* rows, std::uint32_t imageBytes) {
  for (std::uint32_t i = 0; i + 1 < imageBytes; i += 2) {
    const unsigned word = GetLe16(rows + i);
    PutLe16(rows + i, static_cast<std::uint16_t>(((word >> 1) & 0x7FE0) | (word & 0x1F)));
  }
}

}  // namespace

int DibColourTableBytes(const std::uint8_t* block) {
  return DibColourCount(block) * (GetLe32(block) == kCoreHeaderSize ? 3 : 4);
}

std::size_t WriteInChunks(IBinaryFile& file, const std::uint8_t* buffer, std::size_t length) {
  std::size_t remaining = length;
  while (remaining > kWriteChunkBytes) {
    if (file.Write(buffer, kWriteChunkBytes) < kWriteChunkBytes) {
      return 0;
    }
    buffer += kWriteChunkBytes;
    remaining -= kWriteChunkBytes;
  }
  if (remaining > 0 && file.Write(buffer, remaining) < remaining) {
    return 0;
  }
  return length;
}

int WriteDibFile(const std::string& name, const std::uint8_t* block) {
  if (block == nullptr) {
    return 0;
  }
  const BitmapInfoHeader header = ReadInfoHeader(block);
  const std::uint64_t blockBytes =
      std::uint64_t{header.biSize} + 4 * std::uint64_t{header.biClrUsed} + header.biSizeImage;
  if (kFileHeaderSize + blockBytes > std::numeric_limits<std::uint32_t>::max()) {
    return 0;
  }
  std::uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
  PutLe32(fileHeader + 2, static_cast<std::uint32_t>(kFileHeaderSize + blockBytes));
  PutLe32(fileHeader + 10,
          kFileHeaderSize + header.biSize + static_cast<std::uint16_t>(DibColourTableBytes(block)));

  CStdioFile file(name, CStdioFile::Mode::CreateWrite);
  if (!file.IsOpen()) {
    return 0;
  }
  // A full disk must not leave a truncated picture that looks like a screenshot.
  const bool written =
      file.Write(fileHeader, sizeof fileHeader) == sizeof fileHeader &&
      WriteInChunks(file, block, static_cast<std::size_t>(blockBytes)) == blockBytes;
  if (file.Close() == 0 || !written) {
    std::remove(name.c_str());
    return 0;
  }
  return 1;
}

std::uint8_t* ReadDibHeader(IBinaryFile& file) {
  PixelLayout layout;
  return ReadHeaderAndTable(file, layout, nullptr);
}

std::uint8_t* ReadDib(IBinaryFile& file, DibFileFacts* facts) {
  PixelLayout layout;
  std::uint8_t* block = ReadHeaderAndTable(file, layout, facts);
  if (block == nullptr) {
    return nullptr;
  }
  const std::size_t tableBytes = 4 * std::size_t{ReadInfoHeader(block).biClrUsed};
  auto* grown = static_cast<std::uint8_t*>(
      std::realloc(block, kInfoHeaderSize + tableBytes + layout.imageBytes));
  if (grown == nullptr) {
    std::free(block);
    return nullptr;
  }
  std::uint8_t* rows = grown + kInfoHeaderSize + tableBytes;
  if (layout.runLength) {
    std::vector<std::uint8_t> codes(layout.fileBytes);
    if (file.Read(codes.data(), codes.size()) != codes.size()) {
      std::free(grown);
      return nullptr;
    }
    const BitmapInfoHeader header = ReadInfoHeader(grown);
    std::memset(rows, 0, layout.imageBytes);
    DecodeRle(codes.data(), codes.size(), header.biBitCount, header.biWidth, header.biHeight, rows,
              layout.rowBytes);
  } else if (file.Read(rows, layout.imageBytes) != layout.imageBytes) {
    std::free(grown);
    return nullptr;
  }
  if (layout.topDown) {
    FlipRows(rows, layout.rowBytes, layout.imageBytes);
  }
  if (layout.rgb565) {
    Narrow565(rows, layout.imageBytes);
  }
  return grown;
}

std::uint8_t* ReadDibFile(const std::string& name, DibFileFacts* facts) {
  CStdioFile file(name, CStdioFile::Mode::Read);
  if (!file.IsOpen()) {
    return nullptr;
  }
  return ReadDib(file, facts);
}
