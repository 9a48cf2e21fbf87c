// spirandel-render-gdi: the headless renderer of the Windows build. The same options, the same
// timer loop and the same BMP output as spirandel-render, but every line and circle goes
// through the saver's GDI surface (CGdiSurface on a 32-bit DIB section) instead of the raster
// canvas, so the two programs' pictures can be compared byte for byte.
#include "RenderProgram.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32.h"

namespace {

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

// GDI drawing on the DIB section above.
class CGdiTarget : public IRenderTarget {
 public:
  CGdiTarget(int width, int height) : m_dib(width, height), m_surface(m_dib.Dc()) {}

  bool Ready() const { return m_dib.Ready(); }
  IDrawingSurface& Surface() override { return m_surface; }
  void BeginContext() override {
    m_surface.RestorePen();
    m_surface.MoveTo(0, 0);
  }
  const std::uint8_t* Row(int y) const override { return m_dib.Row(y); }

 private:
  CDibSurface m_dib;
  CGdiSurface m_surface;
};

}  // namespace

int main(int argc, char** argv) {
  return RunRenderProgram("spirandel-render-gdi", argc, argv,
                          [](int width, int height) -> std::unique_ptr<IRenderTarget> {
                            auto target = std::make_unique<CGdiTarget>(width, height);
                            if (!target->Ready()) {
                              return nullptr;
                            }
                            return target;
                          });
}
