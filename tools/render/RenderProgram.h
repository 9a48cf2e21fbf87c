#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "canvas/DrawingSurface.h"

// What a renderer program draws on: a surface of the client size whose pixels can be read
// back. The Linux renderer uses the raster canvas; the Windows one a GDI DIB section, so that
// the two programs' pictures can be compared byte for byte.
class IRenderTarget {
 public:
  virtual ~IRenderTarget() = default;

  virtual IDrawingSurface& Surface() = 0;
  // Makes the surface behave as a context got afresh: current position (0, 0), default pen.
  virtual void BeginContext() = 0;
  // Row y, top row first, 32 bits a pixel: blue, green, red, unused.
  virtual const std::uint8_t* Row(int y) const = 0;
};

// Makes the target for a client of this size; null when it cannot be made.
using RenderTargetFactory = std::function<std::unique_ptr<IRenderTarget>(int width, int height)>;

// Writes the drawing area as a PNG file; nonzero on success. A build without one writes BMP
// files only.
using PngWriter =
    std::function<int(const IRenderTarget& target, int width, int height, const std::string& path)>;

// The whole renderer program: options, settings file, the headless run, the trace and the
// picture, PNG when its name ends in .png, else BMP. Returns the exit code (0; 1 when the
// picture cannot be written; 2 for bad options).
int RunRenderProgram(const char* programName, int argc, char** argv,
                     const RenderTargetFactory& makeTarget, const PngWriter& writePng = nullptr);
