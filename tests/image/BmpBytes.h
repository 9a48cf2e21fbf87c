#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

// Hand-made BMP files for the reader's tests, field by field, so that every header value a
// test cares about is visible where the test is written.

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

struct BmpSpec {
  std::int32_t width = 3;
  std::int32_t height = 2;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t headerSize = 40;  // 12 gives the core header
  bool fileHeader = true;
  Bytes table;                // raw table bytes as they appear in the file
  Bytes masks;                // bytes right behind a 40-byte header (bit-field masks)
  Bytes pixels;               // raw pixel bytes
  std::int64_t offBits = -1;  // -1: right behind the table
};

inline Bytes MakeBmp(const BmpSpec& s) {
  Bytes info(s.headerSize, 0);
  Put32(info, 0, s.headerSize);
  if (s.headerSize == 12) {
    Put16(info, 4, static_cast<std::uint32_t>(s.width));
    Put16(info, 6, static_cast<std::uint32_t>(s.height));
    Put16(info, 8, 1);
    Put16(info, 10, s.bitCount);
  } else {
    Put32(info, 4, static_cast<std::uint32_t>(s.width));
    Put32(info, 8, static_cast<std::uint32_t>(s.height));
    Put16(info, 12, 1);
    Put16(info, 14, s.bitCount);
    Put32(info, 16, s.compression);
    Put32(info, 20, s.sizeImage);
    Put32(info, 32, s.clrUsed);
    if (s.headerSize >= 52 && s.masks.size() >= 12) {
      std::copy(s.masks.begin(), s.masks.begin() + 12, info.begin() + 40);
    }
  }
  Bytes file;
  if (s.fileHeader) {
    file.assign(14, 0);
    file[0] = 'B';
    file[1] = 'M';
  }
  file.insert(file.end(), info.begin(), info.end());
  if (s.headerSize == 40) {
    file.insert(file.end(), s.masks.begin(), s.masks.end());
  }
  file.insert(file.end(), s.table.begin(), s.table.end());
  if (s.fileHeader) {
    Put32(file, 2, static_cast<std::uint32_t>(file.size() + s.pixels.size()));
    Put32(file, 10,
          s.offBits >= 0 ? static_cast<std::uint32_t>(s.offBits)
                         : static_cast<std::uint32_t>(file.size()));
  }
  file.insert(file.end(), s.pixels.begin(), s.pixels.end());
  return file;
}

// A folder of its own for each test program run, removed at the end.
class CTempFolder {
 public:
  CTempFolder()
      : m_path(std::filesystem::temp_directory_path() /
               ("spirandel-image-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(m_path);
  }
  ~CTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  std::string File(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
