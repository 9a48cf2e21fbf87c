// libFuzzer target: any bytes, read as a BMP file from memory and from disk through Load, must
// give a block or null and nothing else: no read or write outside a buffer, no undefined
// behaviour, no leak. Whatever loads is then touched at its edges through the pixel
// operations, which trust the block the reader made.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "image/BinaryFile.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

class CInputFile : public IBinaryFile {
 public:
  CInputFile(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::size_t Read(void* buffer, std::size_t length) override {
    const std::size_t n = m_position < m_size ? std::min(length, m_size - m_position) : 0;
    if (n > 0) {
      std::memcpy(buffer, m_data + m_position, n);
    }
    m_position += n;
    return n;
  }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  int SeekTo(std::int64_t position) override {
    if (position < 0) {
      return 0;
    }
    m_position = static_cast<std::size_t>(position);
    return 1;
  }
  std::int64_t Tell() override { return static_cast<std::int64_t>(m_position); }
  std::int64_t Size() override { return static_cast<std::int64_t>(m_size); }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_position = 0;
};

const std::string& ScratchFile() {
  static const std::string name = [] {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/spirandel-bmp-fuzz-" + std::to_string(getpid()) + ".bmp";
  }();
  return name;
}

void TouchPixel(CDibFile& image, int x, int y) {
  std::uint8_t r, g, b;
  image.GetPixelIndex(x, y);
  image.GetPixelRGB(x, y, r, g, b);
  image.SetPixelRGB(x, y, 10, 200, 30);
}

// Small pictures pixel by pixel; large ones at their four corners, where a wrong row length
// or offset would first step outside the block.
void TouchPixels(CDibFile& image) {
  const int w = image.Width(), h = image.Height();
  if (static_cast<std::int64_t>(w) * h <= 4096) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        TouchPixel(image, x, y);
      }
    }
    return;
  }
  TouchPixel(image, 0, 0);
  TouchPixel(image, w - 1, 0);
  TouchPixel(image, 0, h - 1);
  TouchPixel(image, w - 1, h - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CInputFile memory(data, size);
  FreeDib(ReadDib(memory));

  std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
  if (file == nullptr) {
    return 0;
  }
  const bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  if (!written) {
    return 0;
  }
  CDibFile image;
  if (image.Load(ScratchFile()) != 0) {
    TouchPixels(image);
  }
  return 0;
}
