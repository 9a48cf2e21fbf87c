#pragma once

#include <cstdint>
#include <vector>

#include "image/DeviceBitmap.h"
#include "platform/win32/Win32.h"

// Copies the top-left width x height pixels of the device context into a bitmap compatible
// with it (BitBlt, source copy) and reads them with GetDIBits in the bitmap's own depth (1, 4,
// 8, 16, 24 or 32 bits; 32 for anything else), top row first, into storage. Nonzero on
// success; on failure the description is left empty.
int CaptureDeviceContext(HDC source, int width, int height, std::vector<std::uint8_t>& storage,
                         CDeviceBitmap& bitmap);
