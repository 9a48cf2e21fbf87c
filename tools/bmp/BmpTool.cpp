// spirandel-bmp: inspects and copies BMP files with the saver's own reader and writer, so that
// a screenshot can be checked without a picture viewer.

#include <cstdio>
#include <string>
#include <string_view>

#include "image/BinaryFile.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Asked for, the usage goes to the standard output and is no failure; otherwise it explains
// a command line that could not be used.
int Usage(bool asked) {
  std::fputs(
      "usage: spirandel-bmp info FILE\n"
      "       spirandel-bmp copy IN OUT\n"
      "       spirandel-bmp --help\n"
      "  info  prints: width=W height=H bits=B colours=N compression=C\n"
      "  copy  reads IN and writes it to OUT as an uncompressed BMP file\n",
      asked ? stdout : stderr);
  return asked ? kExitOk : kExitUsage;
}

// The facts come from the headers alone, so that a look at a large file costs no more than its
// headers; the pixels are not decoded. The height keeps its sign: negative for top-down rows.
int Info(const std::string& name) {
  CStdioFile file(name, CStdioFile::Mode::Read);
  const DibPtr header = file.IsOpen() ? ReadDibHeader(file) : nullptr;
  if (!header) {
    std::fprintf(stderr, "spirandel-bmp: %s: cannot be opened or is not a readable BMP file\n",
                 name.c_str());
    return kExitFailed;
  }
  const BitmapInfoHeader h = ReadInfoHeader(header.get());
  std::printf("width=%d height=%d bits=%d colours=%u compression=%u\n", h.biWidth, h.biHeight,
              h.biBitCount, h.biClrUsed, h.biCompression);
  return kExitOk;
}

int Copy(const std::string& from, const std::string& to) {
  CDibFile image;
  if (image.Load(from) == 0) {
    std::fprintf(stderr, "spirandel-bmp: %s: cannot be opened or is not a readable BMP file\n",
                 from.c_str());
    return kExitFailed;
  }
  if (image.Save(to) == 0) {
    std::fprintf(stderr, "spirandel-bmp: %s: cannot be written\n", to.c_str());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "info" && argc == 3) {
    return Info(argv[2]);
  }
  if (command == "copy" && argc == 4) {
    return Copy(argv[2], argv[3]);
  }
  return Usage(argc == 2 && (command == "--help" || command == "-h"));
}
