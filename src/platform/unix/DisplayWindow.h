#pragma once

#include <cstdint>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "canvas/RasterCanvas.h"
#include "canvas/Rect.h"

// What the last drawing context changed on the canvas. onlyFills: every change was a black
// fill, listed in fills (cut to the change), which a display server can draw without pixels.
struct SCanvasChange {
  CRect dirty;
  bool onlyFills = false;
  std::vector<CRect> fills;
};

// The cursors a full-screen saver shows: none, and the wait cursor while a screenshot is
// written.
enum class DisplayCursor { kInvisible, kWait };

// The little a display system does for a drawing window; everything else (the engine, the
// timers, what input means) is the drawing-window core's.
class IDisplayWindow {
 public:
  virtual ~IDisplayWindow() = default;

  // Called right before each drawing context begins (a tick, an erase): the moment to lend the
  // canvas's pixel buffer memory it may write now.
  virtual void PrepareDrawing(CPixelBuffer& /*pixels*/) {}
  // Shows what the last drawing context changed.
  virtual void Present(const CRasterCanvas& canvas, const SCanvasChange& change) = 0;
  // The top-left width x height pixels as the screen shows them, rows of 0x00RRGGBB; false
  // where the screen cannot be read back, and the canvas, the same picture, stands in.
  virtual bool ReadShown(int /*width*/, int /*height*/, std::vector<std::uint32_t>& /*pixels*/) {
    return false;
  }
  virtual void ShowCursor(DisplayCursor /*cursor*/) {}
};
