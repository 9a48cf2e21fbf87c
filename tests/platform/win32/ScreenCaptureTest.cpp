#include "platform/win32/ScreenCapture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/win32/Win32.h"

// The capture reads a window's pixels in the window's own depth; here the "window" is a memory
// DC holding a DIB section of known pixels in each depth a display may have.
namespace {

constexpr int kWidth = 10;
constexpr int kHeight = 8;

class CSource {
 public:
  explicit CSource(int bitCount) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = kWidth;
    info.header.biHeight = -kHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 256; ++i) {
      info.colours[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3),
                         0};
    }
    m_previous = SelectObject(m_dc, CreateDIBSection(m_dc, reinterpret_cast<BITMAPINFO*>(&info),
                                                     DIB_RGB_COLORS, &m_bits, nullptr, 0));
    m_stride = (kWidth * bitCount + 31) / 32 * 4;
    auto* bytes = static_cast<BYTE*>(m_bits);
    for (int i = 0; i < m_stride * kHeight; ++i) {
      bytes[i] = static_cast<BYTE>(i * 7 + 3);
    }
    if (bitCount == 16) {  // keep the unused top bit of each 5-5-5 pixel clear
      for (int i = 1; i < m_stride * kHeight; i += 2) {
        bytes[i] &= 0x7F;
      }
    }
  }
  ~CSource() {
    DeleteObject(SelectObject(m_dc, m_previous));
    DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  const BYTE* Row(int y) const { return static_cast<const BYTE*>(m_bits) + y * m_stride; }

 private:
  HDC m_dc = CreateCompatibleDC(nullptr);
  HGDIOBJ m_previous = nullptr;
  void* m_bits = nullptr;
  int m_stride = 0;
};

TEST(ScreenCaptureTest, KeepsTheDepthAndThePixelsOfTheTopLeftCorner) {
  for (const int bitCount : {32, 24, 16, 8}) {
    SCOPED_TRACE(bitCount);
    CSource source(bitCount);
    std::vector<std::uint8_t> storage;
    CDeviceBitmap bitmap;
    ASSERT_EQ(CaptureDeviceContext(source.Dc(), 6, 5, storage, bitmap), 1);
    EXPECT_EQ(bitmap.width, 6);
    EXPECT_EQ(bitmap.height, 5);
    ASSERT_EQ(bitmap.bitsPerPixel, bitCount);
    EXPECT_EQ(bitmap.stride, (6 * bitCount + 31) / 32 * 4);
    EXPECT_EQ(bitmap.bits, storage.data());
    const int rowBytes = 6 * bitCount / 8;
    for (int y = 0; y < 5; ++y) {
      const std::uint8_t* got = bitmap.bits + y * bitmap.stride;
      for (int i = 0; i < rowBytes; ++i) {
        // The unused fourth byte of a 32-bit pixel carries nothing.
        if (bitCount == 32 && i % 4 == 3) {
          continue;
        }
        ASSERT_EQ(got[i], source.Row(y)[i]) << "row " << y << " byte " << i;
      }
    }
    if (bitCount == 8) {
      ASSERT_EQ(bitmap.colours.size(), 256u);
      EXPECT_EQ(bitmap.colours[5], (PaletteEntry{15, 250, 5, 0}));
    } else {
      EXPECT_TRUE(bitmap.colours.empty());
    }
  }
}

TEST(ScreenCaptureTest, NothingToCaptureLeavesTheDescriptionEmpty) {
  CSource source(32);
  const struct {
    HDC dc;
    int width, height;
  } cases[] = {{source.Dc(), 0, 5}, {source.Dc(), 5, -1}, {nullptr, 5, 5}};
  for (const auto& c : cases) {
    std::vector<std::uint8_t> storage{1, 2, 3};
    CDeviceBitmap bitmap;
    bitmap.width = 99;
    EXPECT_EQ(CaptureDeviceContext(c.dc, c.width, c.height, storage, bitmap), 0);
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(bitmap.bits, nullptr);
    EXPECT_TRUE(storage.empty());
  }
}

}  // namespace
