#pragma once

#include <cstdint>
#include <string>

#include "image/BinaryFile.h"
#include "image/DibBlock.h"

// BMP files: a 14-byte file header ("BM", file size, offset of the pixel rows) followed by the
// packed block.

inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::size_t kWriteChunkBytes = 32768;
inline constexpr std::uint32_t kCompressionRle8 = 1;
inline constexpr std::uint32_t kCompressionRle4 = 2;

// The bytes of the colour table: 4 a colour, as every block has an info header.
int DibColourTableBytes(const std::uint8_t* block);

// Writes the block as a BMP file, creating or truncating it. 1 when every byte was written; 0
// for a null block, a file that cannot be created or any failed write, and then no file is
// left behind.
int WriteDibFile(const std::string& name, const std::uint8_t* block);

// Writes the buffer in pieces of at most 32768 bytes; the length, or 0 as soon as a piece
// falls short.
std::size_t WriteInChunks(IBinaryFile& file, const std::uint8_t* buffer, std::size_t length);

// Reads a BMP file into a new block (40-byte header, 4-byte colour entries, bottom-up rows,
// no compression); empty when the file cannot be opened or is not a BMP file this reader can
// read whole.
DibPtr ReadDibFile(const std::string& name);

// The same from the file's current position (a "BM" file header, or directly an info header).
DibPtr ReadDib(IBinaryFile& file);

// Reads the headers and the colour table from the file's current position and leaves the file
// at the pixel rows. The block returned (40-byte header, then the colour table in 4-byte
// entries, or the three masks for compression 3) describes those rows as the file holds them:
// a negative height for top-down rows, the file's compression, and as biSizeImage the bytes of
// pixel data the reader takes from the file. Empty for anything that is not a readable BMP
// header or whose pixel rows the file does not hold.
DibPtr ReadDibHeader(IBinaryFile& file);
