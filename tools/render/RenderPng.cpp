#include "RenderPng.h"

#include <png.h>

#include <cstdint>
#include <vector>

int WriteRenderPng(const IRenderTarget& target, int width, int height, const std::string& path) {
  // libpng's simplified interface reports failures by its return value, so no longjmp crosses
  // our frames; the unused fourth byte of each pixel is left out.
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = target.Row(y);
    for (int x = 0; x < width; ++x) {
      rgb[at++] = row[4 * x + 2];
      rgb[at++] = row[4 * x + 1];
      rgb[at++] = row[4 * x];
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const int written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
  png_image_free(&image);
  return written != 0 ? 1 : 0;
}
