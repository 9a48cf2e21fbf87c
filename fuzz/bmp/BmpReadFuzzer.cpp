// libFuzzer target: any bytes, loaded as a BMP file, give an image or an empty one and nothing
// else: no read or write outside a buffer, no undefined behaviour, no leak. Whatever loads is
// saved and must load again as the same block, so that the writer meets every block the
// reader can make. The files live in memory (memfd) and vanish with the process, so that a
// run leaves nothing behind whichever way it ends.

#include <sys/mman.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "image/DibBlock.h"
#include "image/DibFile.h"

static std::string MemoryFile(const char* name) {
  return "/proc/self/fd/" + std::to_string(memfd_create(name, 0));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = MemoryFile("bmp-in"), output = MemoryFile("bmp-out");
  std::FILE* file = std::fopen(input.c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    __builtin_trap();
  }
  CDibFile image, again;
  if (image.Load(input) == 0) {
    return 0;
  }
  // The last pixel, where a wrong row length or offset would first step outside the block.
  image.SetPixelRGB(image.Width() - 1, image.Height() - 1, 10, 200, 30);
  const BitmapInfoHeader header = ReadInfoHeader(image.Dib());
  if (image.Save(output) == 0 || again.Load(output) == 0 ||
      std::memcmp(image.Dib(), again.Dib(),
                  DibBlockBytes(4 * header.biClrUsed, header.biSizeImage)) != 0) {
    __builtin_trap();
  }
  return 0;
}
