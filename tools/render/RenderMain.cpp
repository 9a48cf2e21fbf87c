// spirandel-render: draws figures without a window, exactly as the saver window would show
// them, and writes the drawing area as a PNG or BMP file.
#include "RenderPng.h"
#include "RenderProgram.h"
#include "canvas/RasterCanvas.h"

namespace {

class CCanvasTarget : public IRenderTarget {
 public:
  CCanvasTarget(int width, int height) : m_canvas(width, height) {}

  IDrawingSurface& Surface() override { return m_canvas; }
  void BeginContext() override { m_canvas.BeginContext(); }
  const std::uint8_t* Row(int y) const override {
    // Pixels are 0x00RRGGBB words, so their bytes in memory are blue, green, red, unused.
    return reinterpret_cast<const std::uint8_t*>(m_canvas.Pixels() +
                                                 static_cast<std::size_t>(y) * m_canvas.Width());
  }

 private:
  CRasterCanvas m_canvas;
};

}  // namespace

int main(int argc, char** argv) {
  return RunRenderProgram(
      "spirandel-render", argc, argv,
      [](int width, int height) { return std::make_unique<CCanvasTarget>(width, height); },
      kRenderPngWriter);
}
