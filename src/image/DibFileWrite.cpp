#include "image/DibFileIo.h"

#include <cstdio>

#include "image/LittleEndian.h"

int DibColourTableBytes(const std::uint8_t* block) {
  return DibColourCount(block) * 4;
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
  const std::uint32_t blockBytes =
      DibBlockBytes(4 * std::uint64_t{header.biClrUsed}, header.biSizeImage);
  if (blockBytes == 0) {
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
  const bool written = file.Write(fileHeader, sizeof fileHeader) == sizeof fileHeader &&
                       WriteInChunks(file, block, blockBytes) == blockBytes;
  if (file.Close() == 0 || !written) {
    std::remove(name.c_str());
    return 0;
  }
  return 1;
}
