#include "RenderProgram.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "HeadlessHost.h"
#include "RenderDriver.h"
#include "RenderOptions.h"
#include "image/DibFile.h"
#include "settings/RegTextStore.h"
#include "settings/SaverSettings.h"

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
// blue, green, red and a cleared fourth byte per pixel.
int WritePicture(const IRenderTarget& target, int width, int height, const std::string& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 4);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = target.Row(y);
    for (int x = 0; x < width; ++x) {
      bytes[at++] = row[4 * x];
      bytes[at++] = row[4 * x + 1];
      bytes[at++] = row[4 * x + 2];
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

bool NamesPng(const std::string& path) {
  if (path.size() < 4) {
    return false;
  }
  std::string ending = path.substr(path.size() - 4);
  for (char& c : ending) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return ending == ".png";
}

}  // namespace

int RunRenderProgram(const char* programName, int argc, char** argv,
                     const RenderTargetFactory& makeTarget, const PngWriter& writePng) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  CRenderOptions options;
  std::string error;
  if (!ParseRenderOptions(args, options, error)) {
    std::fprintf(stderr, "%s: %s\n%s", programName, error.c_str(), RenderUsage());
    return 2;
  }
  if (options.help) {
    std::fputs(RenderUsage(), stdout);
    return 0;
  }
  const bool png = NamesPng(options.outFile);
  if (png && !writePng) {
    std::fprintf(stderr, "%s: this build writes BMP files only, not %s\n", programName,
                 options.outFile.c_str());
    return 2;
  }

  SaverSettings settings;
  std::unique_ptr<CRegTextStore> store;
  if (!options.settingsFile.empty()) {
    std::string text;
    if (!ReadSettingsText(options.settingsFile, text)) {
      std::fprintf(stderr, "%s: cannot read the settings file %s\n%s", programName,
                   options.settingsFile.c_str(), RenderUsage());
      return 2;
    }
    store = std::make_unique<CRegTextStore>(text);
    settings.AttachStore(store.get());
    settings.LoadSettings();
  }

  const std::unique_ptr<IRenderTarget> target = makeTarget(options.width, options.height);
  if (target == nullptr) {
    std::fprintf(stderr, "%s: no %dx%d surface to draw on\n", programName, options.width,
                 options.height);
    return 1;
  }
  const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
  CHeadlessHost host(
      target->Surface(), [&target] { target->BeginContext(); }, options.width, options.height,
      seed);
  CTracingCurveWnd wnd(settings, host);
  RunHeadless(wnd, host, target->Surface(), options.figures,
              options.ticks.has_value() ? static_cast<long long>(*options.ticks) : -1);

  if (options.trace) {
    for (const auto& line : wnd.m_traceLines) {
      std::printf("%s\n", line.c_str());
    }
  }
  const auto write = png ? writePng : WritePicture;
  if (!options.outFile.empty() &&
      write(*target, wnd.m_drawWidth, wnd.m_drawHeight, options.outFile) == 0) {
    std::fprintf(stderr, "%s: cannot write %s\n", programName, options.outFile.c_str());
    return 1;
  }
  return 0;
}
