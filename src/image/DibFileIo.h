#pragma once

#include <cstdint>
#include <string>

#include "image/BinaryFile.h"

// BMP files: a 14-byte file header ("BM", file size, offset of the pixel rows) followed by the
// packed block. Blocks returned belong to the caller (FreeDib).

inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::size_t kWriteChunkBytes = 32768;

// What a file said about itself, before the reader turned it into a block: its height keeps
// its sign (negative: top-down rows) and its compression and header size are the file's.
struct DibFileFacts {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  int colours = 0;
  std::uint32_t compression = 0;
  std::uint32_t headerSize = 0;
};

// Colour count x 3 for a 12-byte core header, x 4 otherwise.
int DibColourTableBytes(const std::uint8_t* block);

// Writes the block as a BMP file, creating or truncating it. 1 when every byte was written; 0
// for a null block, a file that cannot be created or any failed write, and then no file is
// left behind.
int WriteDibFile(const std::string& name, const std::uint8_t* block);

// Writes the buffer in pieces of at most 32768 bytes; the length, or 0 as soon as a piece
// falls short.
std::size_t WriteInChunks(IBinaryFile& file, const std::uint8_t* buffer, std::size_t length);

// Reads a BMP file into a new block (40-byte header, 4-byte colour entries, bottom-up rows);
// null when the file cannot be opened or is not a BMP file this reader can read whole.
std::uint8_t* ReadDibFile(const std::string& name, DibFileFacts* facts = nullptr);

// The same from the file's current position (a "BM" file header, or directly an info header).
std::uint8_t* ReadDib(IBinaryFile& file, DibFileFacts* facts = nullptr);

// Reads the headers and the colour table from the file's current position into a new block
// (header and table only) and leaves the file at the pixel rows; null for anything that is
// not a readable BMP header or whose pixel rows the file does not hold.
std::uint8_t* ReadDibHeader(IBinaryFile& file);
