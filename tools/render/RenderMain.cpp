// spirandel-render: draws figures without a window, exactly as the saver window would show
// them, and writes the drawing area as a BMP file.
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "HeadlessHost.h"
#include "RenderDriver.h"
#include "RenderOptions.h"
#include "app/RegTextStore.h"
#include "app/SaverSettings.h"
#include "canvas/RasterCanvas.h"
#include "image/DibFile.h"

namespace {

// A settings file is a few hundred bytes; anything far larger is not one.
constexpr std::streamsize kLargestSettingsFile = 1 << 20;

bool ReadSettingsText(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return false;
  }
  std::vector<char> buffer(kLargestSettingsFile + 1);
  in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  if (in.bad() || in.gcount() > kLargestSettingsFile) {
    return false;
  }
  text.assign(buffer.data(), static_cast<std::size_t>(in.gcount()));
  return true;
}

// The drawing area from the top-left corner, as the 32-bit bitmap a screenshot would copy:
// blue, green, red and an unused byte per pixel.
int WritePicture(const CRasterCanvas& canvas, int width, int height, const std::string& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 4);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = canvas.Pixels() + static_cast<std::size_t>(y) * canvas.Width();
    for (int x = 0; x < width; ++x) {
      bytes[at++] = static_cast<std::uint8_t>(row[x]);
      bytes[at++] = static_cast<std::uint8_t>(row[x] >> 8);
      bytes[at++] = static_cast<std::uint8_t>(row[x] >> 16);
      bytes[at++] = 0;
    }
  }
  CDeviceBitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bitsPerPixel = 32;
  bitmap.stride = width * 4;
  bitmap.bits = bytes.data();
  CDibFile dib(&bitmap);
  return dib.Save(path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CRenderOptions options;
  std::string error;
  if (!ParseRenderOptions(args, options, error)) {
    std::fprintf(stderr, "spirandel-render: %s\n%s", error.c_str(), RenderUsage());
    return 2;
  }
  if (options.help) {
    std::fputs(RenderUsage(), stdout);
    return 0;
  }

  SaverSettings settings;
  std::unique_ptr<CRegTextStore> store;
  if (!options.settingsFile.empty()) {
    std::string text;
    if (!ReadSettingsText(options.settingsFile, text)) {
      std::fprintf(stderr, "spirandel-render: cannot read the settings file %s\n%s",
                   options.settingsFile.c_str(), RenderUsage());
      return 2;
    }
    store = std::make_unique<CRegTextStore>(text);
    settings.AttachStore(store.get());
    settings.LoadSettings();
  }

  const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
  CRasterCanvas canvas(options.width, options.height);
  CHeadlessHost host(
      canvas, [&canvas] { canvas.BeginContext(); }, options.width, options.height, seed);
  CTracingCurveWnd wnd(settings, host, 0);
  RunHeadless(wnd, host, canvas, options.figures,
              options.ticks.has_value() ? static_cast<long long>(*options.ticks) : -1);

  if (options.trace) {
    for (const auto& line : wnd.m_traceLines) {
      std::printf("%s\n", line.c_str());
    }
  }
  if (!options.outFile.empty() &&
      WritePicture(canvas, wnd.m_drawWidth, wnd.m_drawHeight, options.outFile) == 0) {
    std::fprintf(stderr, "spirandel-render: cannot write %s\n", options.outFile.c_str());
    return 1;
  }
  return 0;
}
