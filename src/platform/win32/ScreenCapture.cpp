#include "platform/win32/ScreenCapture.h"

#include <cstddef>

namespace {

// BITMAPINFO with room for the largest colour table GetDIBits can write.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

int DibDepth(int devicePixelBits) {
  switch (devicePixelBits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return devicePixelBits;
    default:
      return 32;
  }
}

// Reads the selected-out bitmap into storage; nonzero on success.
int ReadBits(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint8_t>& storage,
             CDeviceBitmap& description) {
  BITMAP info{};
  if (GetObjectA(bitmap, sizeof(info), &info) == 0) {
    return 0;
  }
  const int depth = DibDepth(info.bmBitsPixel * info.bmPlanes);
  DibHeader dib{};
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = width;
  dib.header.biHeight = -height;  // top-down: the first row read is the top one
  dib.header.biPlanes = 1;
  dib.header.biBitCount = static_cast<WORD>(depth);
  dib.header.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
  storage.assign(stride * static_cast<std::size_t>(height), 0);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), storage.data(),
                reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS) != height) {
    storage.clear();
    return 0;
  }
  description.width = width;
  description.height = height;
  description.bitsPerPixel = depth;
  description.stride = static_cast<int>(stride);
  description.bits = storage.data();
  description.colours.clear();
  if (depth <= 8) {
    const int count =
        dib.header.biClrUsed != 0 ? static_cast<int>(dib.header.biClrUsed) : 1 << depth;
    for (int i = 0; i < count && i < 256; ++i) {
      const RGBQUAD& c = dib.colours[i];
      description.colours.push_back({c.rgbRed, c.rgbGreen, c.rgbBlue, 0});
    }
  }
  return 1;
}

}  // namespace

int CaptureDeviceContext(HDC source, int width, int height, std::vector<std::uint8_t>& storage,
                         CDeviceBitmap& bitmap) {
  bitmap = CDeviceBitmap{};
  storage.clear();
  if (source == nullptr || width <= 0 || height <= 0) {
    return 0;
  }
  HDC memory = CreateCompatibleDC(source);
  if (memory == nullptr) {
    return 0;
  }
  int captured = 0;
  HBITMAP picture = CreateCompatibleBitmap(source, width, height);
  if (picture != nullptr) {
    HGDIOBJ previous = SelectObject(memory, picture);
    const BOOL copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    // GetDIBits wants the bitmap selected into no DC.
    if (copied) {
      captured = ReadBits(memory, picture, width, height, storage, bitmap);
    }
    DeleteObject(picture);
  }
  DeleteDC(memory);
  return captured;
}
