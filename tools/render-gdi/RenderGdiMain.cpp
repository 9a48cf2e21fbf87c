// spirandel-render-gdi: the headless renderer of the Windows build. The same options, the same
// timer loop and the same BMP output as spirandel-render, but every line and circle goes
// through GDI (CGdiSurface on a 32-bit DIB section) instead of the raster canvas, so the two
// programs' pictures can be compared byte for byte.
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessHost.h"
#include "RenderDriver.h"
#include "RenderOptions.h"
#include "app/RegTextStore.h"
#include "app/SaverSettings.h"
#include "image/DibFile.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32.h"

namespace {

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

// A memory DC with a top-down 32-bit DIB section of the client size selected, black at first
// as a freshly erased window is.
class CDibSurface {
 public:
  CDibSurface(int width, int height) : m_width(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    if (m_dc != nullptr && m_bitmap != nullptr) {
      m_previous = SelectObject(m_dc, m_bitmap);
    }
  }
  ~CDibSurface() {
    if (m_previous != nullptr) {
      SelectObject(m_dc, m_previous);
    }
    if (m_bitmap != nullptr) {
      DeleteObject(m_bitmap);
    }
    if (m_dc != nullptr) {
      DeleteDC(m_dc);
    }
  }
  bool Ready() const { return m_previous != nullptr && m_bits != nullptr; }
  HDC Dc() const { return m_dc; }
  const std::uint8_t* Row(int y) const {
    GdiFlush();
    return static_cast<const std::uint8_t*>(m_bits) + static_cast<std::size_t>(y) * m_width * 4;
  }

 private:
  int m_width;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  void* m_bits = nullptr;
};

// The drawing area from the top-left corner as a 32-bit bitmap, the fourth byte of each pixel
// cleared as spirandel-render writes it.
int WritePicture(const CDibSurface& dib, int width, int height, const std::string& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 4);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = dib.Row(y);
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
  CDibFile image(&bitmap);
  return image.Save(path);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CRenderOptions options;
  std::string error;
  if (!ParseRenderOptions(args, options, error)) {
    std::fprintf(stderr, "spirandel-render-gdi: %s\n%s", error.c_str(), RenderUsage());
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
      std::fprintf(stderr, "spirandel-render-gdi: cannot read the settings file %s\n%s",
                   options.settingsFile.c_str(), RenderUsage());
      return 2;
    }
    store = std::make_unique<CRegTextStore>(text);
    settings.AttachStore(store.get());
    settings.LoadSettings();
  }

  CDibSurface dib(options.width, options.height);
  if (!dib.Ready()) {
    std::fprintf(stderr, "spirandel-render-gdi: no %dx%d DIB section\n", options.width,
                 options.height);
    return 1;
  }
  const std::uint32_t seed = options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
  CGdiSurface surface(dib.Dc());
  // A context got afresh has its current position at (0, 0) and the default pen.
  CHeadlessHost host(
      surface,
      [&surface] {
        surface.RestorePen();
        MoveToEx(surface.Dc(), 0, 0, nullptr);
      },
      options.width, options.height, seed);
  CTracingCurveWnd wnd(settings, host, 0);
  RunHeadless(wnd, host, surface, options.figures,
              options.ticks.has_value() ? static_cast<long long>(*options.ticks) : -1);

  if (options.trace) {
    for (const auto& line : wnd.m_traceLines) {
      std::printf("%s\n", line.c_str());
    }
  }
  if (!options.outFile.empty() &&
      WritePicture(dib, wnd.m_drawWidth, wnd.m_drawHeight, options.outFile) == 0) {
    std::fprintf(stderr, "spirandel-render-gdi: cannot write %s\n", options.outFile.c_str());
    return 1;
  }
  return 0;
}
