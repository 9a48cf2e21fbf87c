// spirandel-render: draws figures without a window, exactly as the saver window would show
// them, and writes the drawing area as a PNG or BMP file.
#include <vector>

#include "RenderPng.h"
#include "RenderProgram.h"
#include "canvas/RasterCanvas.h"

namespace {

class CCanvasTarget : public IRenderTarget {
 public:
  CCanvasTarget(int width, int height)
      : m_canvas(width, height), m_row(static_cast<std::size_t>(width) * 4) {}

  IDrawingSurface& Surface() override { return m_canvas; }
  void BeginContext() override { m_canvas.BeginContext(); }
  const std::uint8_t* Row(int y) const override {
    // Pixels are 0x00RRGGBB words; the row goes out low byte first (blue, green, red, unused)
    // whatever the byte order of this machine's memory.
    const std::uint32_t* pixels =
        m_canvas.Pixels() + static_cast<std::size_t>(y) * m_canvas.Width();
    for (std::size_t x = 0; x < m_row.size() / 4; ++x) {
      for (int byte = 0; byte < 4; ++byte) {
        m_row[4 * x + byte] = static_cast<std::uint8_t>(pixels[x] >> (8 * byte));
      }
    }
    return m_row.data();
  }

 private:
  CRasterCanvas m_canvas;
  mutable std::vector<std::uint8_t> m_row;
};

}  // namespace

int main(int argc, char** argv) {
  return RunRenderProgram(
      "spirandel-render", argc, argv,
      [](int width, int height) { return std::make_unique<CCanvasTarget>(width, height); },
      kRenderPngWriter);
}
