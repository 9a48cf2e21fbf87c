#pragma once

#include <cstdint>
#include <vector>

#include "engine/CurveWndHost.h"
#include "image/DeviceBitmap.h"

// What the full-screen window needs from its platform beyond the drawing window's needs:
// closing itself, the two cursors of a screenshot, the capture of what it shows, and the
// platform's way of joining a folder and a file name.
class ISaverWndHost : public ICurveWndHost {
 public:
  // Asks for the window to be closed once the current handler returns. Asking again, also
  // after the window is gone, does nothing more.
  virtual void PostClose() = 0;

  virtual void ShowWaitCursor() = 0;
  virtual void ShowInvisibleCursor() = 0;

  // Copies the top-left width x height pixels of what the window shows into storage and
  // describes them in bitmap. Nonzero on success; on failure bitmap is left empty.
  virtual int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                                CDeviceBitmap& bitmap) = 0;

  // The character between a folder and a file name in a path: '\\' on Windows, '/' elsewhere.
  virtual char PathSeparator() const = 0;
};
