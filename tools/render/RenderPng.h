#pragma once

#include <string>

#include "RenderProgram.h"

// Writes the drawing area of a render target as an 8-bit RGB PNG file through libpng; nonzero
// on success. Outside Windows every picture is PNG, so a render is ready for a desktop, a web
// page or a wallpaper without a conversion.
// Where no libpng is at hand (the Windows build, a cross build without one) only BMP files
// are written.
#ifdef SPIRANDEL_RENDER_PNG
int WriteRenderPng(const IRenderTarget& target, int width, int height, const std::string& path);
inline const PngWriter kRenderPngWriter = WriteRenderPng;
#else
inline const PngWriter kRenderPngWriter;
#endif
