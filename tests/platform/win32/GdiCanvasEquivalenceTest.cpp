#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "canvas/RasterCanvas.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32.h"

// The raster canvas must light exactly the pixels GDI lights for the engine's operations. Here
// the same calls go through CGdiSurface onto a 32-bit DIB section (Wine's GDI when run under
// Wine) and onto the canvas, and the two pictures are compared byte for byte after every call.
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class CDibSection {
 public:
  CDibSection() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top-down, as the canvas
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_previous = SelectObject(m_dc, m_bitmap);
  }
  ~CDibSection() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  const std::uint32_t* Pixels() const {
    GdiFlush();
    return static_cast<const std::uint32_t*>(m_bits);
  }

 private:
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  void* m_bits = nullptr;
};

// The engine's generator, so the cases are the same on every run.
class CCases {
 public:
  int Next(int low, int high) {
    m_state = m_state * 214013u + 2531011u;
    return low + static_cast<int>((m_state >> 16) & 0x7fff) % (high - low + 1);
  }

 private:
  std::uint32_t m_state = 12345;
};

// Lists the pixels where the two pictures differ, at most a handful.
std::string Differences(const std::uint32_t* gdi, const std::uint32_t* canvas) {
  std::ostringstream out;
  int shown = 0;
  int total = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t a = gdi[y * kWidth + x] & 0xFFFFFF;
      const std::uint32_t b = canvas[y * kWidth + x] & 0xFFFFFF;
      if (a != b) {
        ++total;
        if (shown++ < 8) {
          out << " (" << x << "," << y << ") gdi " << std::hex << a << " canvas " << b << std::dec;
        }
      }
    }
  }
  return std::to_string(total) + " pixels differ:" + out.str();
}

class GdiCanvasEquivalenceTest : public testing::Test {
 protected:
  void Clear() {
    m_gdi.FillRectBlack(0, 0, kWidth, kHeight);
    m_canvas.FillRectBlack(0, 0, kWidth, kHeight);
  }
  // Both surfaces must hold the same picture; describes the case when they do not.
  void ExpectSame(const std::string& what) {
    const std::uint32_t* gdi = m_dib.Pixels();
    const std::uint32_t* canvas = m_canvas.Pixels();
    bool same = true;
    for (int i = 0; i < kWidth * kHeight && same; ++i) {
      same = (gdi[i] & 0xFFFFFF) == (canvas[i] & 0xFFFFFF);
    }
    EXPECT_TRUE(same) << what << ": " << Differences(gdi, canvas);
  }
  template <typename Draw>
  void Both(Draw draw) {
    draw(static_cast<IDrawingSurface&>(m_gdi));
    draw(static_cast<IDrawingSurface&>(m_canvas));
  }

  CDibSection m_dib;
  CGdiSurface m_gdi{m_dib.Dc()};
  CRasterCanvas m_canvas{kWidth, kHeight};
  CCases m_cases;
};

TEST_F(GdiCanvasEquivalenceTest, LinesInEveryDirectionAndThroughTheEdges) {
  Clear();
  for (int i = 0; i < 3000; ++i) {
    const int x0 = m_cases.Next(-40, kWidth + 40);
    const int y0 = m_cases.Next(-40, kHeight + 40);
    // Mostly short lines, as the engine's joins and polygon sides are, and some long ones.
    const int reach = i % 4 == 0 ? 400 : 25;
    const int x1 = x0 + m_cases.Next(-reach, reach);
    const int y1 = y0 + m_cases.Next(-reach, reach);
    const ColourRef colour = static_cast<ColourRef>(m_cases.Next(1, 0x7fff) * 511);
    Both([&](IDrawingSurface& s) {
      s.SelectPen(colour);
      s.MoveTo(x0, y0);
      s.LineTo(x1, y1);
      s.RestorePen();
    });
    std::ostringstream what;
    what << "line " << i << " (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ")";
    ExpectSame(what.str());
    if (HasFailure()) {
      return;
    }
  }
}

TEST_F(GdiCanvasEquivalenceTest, PolylinesContinueFromTheCurrentPosition) {
  Clear();
  Both([&](IDrawingSurface& s) {
    s.SelectPen(0x00FF8000);
    s.MoveTo(10, 10);
    for (int i = 1; i < 60; ++i) {
      s.LineTo(10 + (i * 37) % 300, 10 + (i * 53) % 220);
    }
    s.RestorePen();
  });
  ExpectSame("polyline");
}

// The engine's circle: the full ellipse of the box (x - R, y - R)-(x + R, y + R), starting and
// ending at the box's left middle.
TEST_F(GdiCanvasEquivalenceTest, CirclesOfEveryRadiusTheEngineDraws) {
  for (int r = 0; r <= 160; ++r) {
    Clear();
    const int x = kWidth / 2 + r % 7;
    const int y = kHeight / 2 - r % 5;
    Both([&](IDrawingSurface& s) {
      s.SelectPen(0x0000FF00);
      s.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
      s.RestorePen();
    });
    ExpectSame("circle of radius " + std::to_string(r) + " at (" + std::to_string(x) + "," +
               std::to_string(y) + ")");
  }
}

TEST_F(GdiCanvasEquivalenceTest, CirclesCutByTheEdges) {
  for (int i = 0; i < 400; ++i) {
    Clear();
    const int r = m_cases.Next(1, 200);
    const int x = m_cases.Next(-100, kWidth + 100);
    const int y = m_cases.Next(-100, kHeight + 100);
    Both([&](IDrawingSurface& s) {
      s.SelectPen(0x00FFFFFF);
      s.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
      s.RestorePen();
    });
    ExpectSame("circle of radius " + std::to_string(r) + " at (" + std::to_string(x) + "," +
               std::to_string(y) + ")");
  }
}

// A large object size gives radii of several screens, and with them corners and boxes far
// outside the window.
TEST_F(GdiCanvasEquivalenceTest, HugeCirclesAndFarLines) {
  for (int i = 0; i < 300; ++i) {
    Clear();
    const int r = m_cases.Next(150, 4000);
    const int x = m_cases.Next(-r, kWidth + r);
    const int y = m_cases.Next(-r, kHeight + r);
    const int x1 = m_cases.Next(-20000, 20000);
    const int y1 = m_cases.Next(-20000, 20000);
    Both([&](IDrawingSurface& s) {
      s.SelectPen(0x00FFFFFF);
      s.Arc(x - r, y - r, x + r, y + r, x - r, y, x - r, y);
      s.LineTo(x1, y1);
      s.RestorePen();
    });
    ExpectSame("circle of radius " + std::to_string(r) + " at (" + std::to_string(x) + "," +
               std::to_string(y) + "), then a line to (" + std::to_string(x1) + "," +
               std::to_string(y1) + ")");
  }
}

TEST_F(GdiCanvasEquivalenceTest, FillsLeaveOutTheRightAndBottomEdges) {
  Clear();
  Both([&](IDrawingSurface& s) {
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
  ExpectSame("fills");
}

}  // namespace
