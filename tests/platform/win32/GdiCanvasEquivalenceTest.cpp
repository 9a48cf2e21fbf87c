#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "canvas/RasterCanvas.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32.h"

// The raster canvas must light exactly the pixels GDI lights for the engine's operations. Here
// the same calls go through CGdiSurface onto a 32-bit DIB section (Wine's GDI when run under
// Wine) and onto the canvas, and the two pictures are compared after every call.
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

std::string Text(int x, int y) {
  return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

class GdiCanvasEquivalenceTest : public testing::Test {
 protected:
  GdiCanvasEquivalenceTest() {  // a top-down DIB, as the canvas
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_previous =
        SelectObject(m_dc, CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
  }
  ~GdiCanvasEquivalenceTest() override {
    DeleteObject(SelectObject(m_dc, m_previous));
    DeleteDC(m_dc);
  }
  // The engine's generator, so the cases are the same on every run.
  int Next(int low, int high) {
    m_state = m_state * 214013u + 2531011u;
    return low + static_cast<int>((m_state >> 16) & 0x7fff) % (high - low + 1);
  }
  // Draws on both surfaces, optionally black first, and demands the same picture; names the
  // first differing pixels when not.
  template <typename Draw>
  bool Same(const std::string& what, Draw draw, bool clear = true) {
    for (IDrawingSurface* s :
         {static_cast<IDrawingSurface*>(&m_gdi), static_cast<IDrawingSurface*>(&m_canvas)}) {
      if (clear) {
        s->FillRectBlack(0, 0, kWidth, kHeight);
      }
      draw(*s);
    }
    GdiFlush();
    const auto* gdi = static_cast<const std::uint32_t*>(m_bits);
    std::string shown;
    int total = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      const std::uint32_t a = gdi[i] & 0xFFFFFF;
      const std::uint32_t b = m_canvas.Pixels()[i] & 0xFFFFFF;
      if (a != b && total++ < 8) {
        shown += " " + Text(i % kWidth, i / kWidth) + " gdi " + std::to_string(a) + " canvas " +
                 std::to_string(b);
      }
    }
    EXPECT_EQ(total, 0) << what << ":" << shown;
    return total == 0;
  }
  // The engine's circle: the full ellipse of the box (x - r, y - r)-(x + r, y + r), starting
  // and ending at the box's left middle; then, when given, a line from there.
  bool Circle(int x, int y, int r, ColourRef colour, bool line = false, int x1 = 0, int y1 = 0) {
    return Same("circle of radius " + std::to_string(r) + " at " + Text(x, y) + " line " +
                    std::to_string(line) + " to " + Text(x1, y1),
                [&](IDrawingSurface& s) {
                  s.SelectPen(colour);
                  s.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
                  if (line) {
                    s.LineTo(x1, y1);
                  }
                  s.RestorePen();
                });
  }

  HDC m_dc = CreateCompatibleDC(nullptr);
  void* m_bits = nullptr;
  HGDIOBJ m_previous = nullptr;
  CGdiSurface m_gdi{m_dc};
  CRasterCanvas m_canvas{kWidth, kHeight};
  std::uint32_t m_state = 12345;
};

TEST_F(GdiCanvasEquivalenceTest, LinesInEveryDirectionAndThroughTheEdges) {
  Same("black", [](IDrawingSurface&) {});
  for (int i = 0; i < 3000; ++i) {
    const int x0 = Next(-40, kWidth + 40);
    const int y0 = Next(-40, kHeight + 40);
    // Mostly short lines, as the engine's joins and polygon sides are, and some long ones.
    const int reach = i % 4 == 0 ? 400 : 25;
    const int x1 = x0 + Next(-reach, reach);
    const int y1 = y0 + Next(-reach, reach);
    const auto colour = static_cast<ColourRef>(Next(1, 0x7fff) * 511);
    const auto line = [&](IDrawingSurface& s) {
      s.SelectPen(colour);
      s.MoveTo(x0, y0);
      s.LineTo(x1, y1);
      s.RestorePen();
    };
    if (!Same("line " + std::to_string(i) + " " + Text(x0, y0) + "-" + Text(x1, y1), line, false)) {
      return;
    }
  }
}

TEST_F(GdiCanvasEquivalenceTest, CirclesOfEveryRadiusCutByTheEdgesAndHuge) {
  for (int r = 0; r <= 160; ++r) {
    Circle(kWidth / 2 + r % 7, kHeight / 2 - r % 5, r, 0x0000FF00);
  }
  for (int i = 0; i < 400; ++i) {
    const int r = Next(1, 200);
    const int x = Next(-100, kWidth + 100);
    Circle(x, Next(-100, kHeight + 100), r, 0x00FFFFFF);
  }
  // A large object size gives radii of several screens, and with them corners and boxes far
  // outside the window.
  for (int i = 0; i < 300; ++i) {
    const int r = Next(150, 4000);
    const int x = Next(-r, kWidth + r);
    const int y = Next(-r, kHeight + r);
    const int x1 = Next(-20000, 20000);
    Circle(x, y, r, 0x00FFFFFF, true, x1, Next(-20000, 20000));
  }
}

TEST_F(GdiCanvasEquivalenceTest, PolylinesContinueAndFillsLeaveOutTheRightAndBottomEdges) {
  Same("polyline", [](IDrawingSurface& s) {
    s.SelectPen(0x00FF8000);
    s.MoveTo(10, 10);
    for (int i = 1; i < 60; ++i) {
      s.LineTo(10 + (i * 37) % 300, 10 + (i * 53) % 220);
    }
    s.RestorePen();
  });
  Same("fills", [](IDrawingSurface& s) {
    s.SelectPen(0x00FFFFFF);
    for (int y = 0; y < kHeight; y += 3) {
      s.MoveTo(0, y);
      s.LineTo(kWidth, y);
    }
    s.RestorePen();
    s.FillRectBlack(10, 20, 110, 70);
    s.FillRectBlack(-5, -5, 3, 4);
    s.FillRectBlack(300, 230, 400, 400);
    s.FillRectBlack(50, 50, 40, 60);  // empty: right before left
  });
}

}  // namespace
