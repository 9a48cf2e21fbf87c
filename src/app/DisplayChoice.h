#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The display systems a Linux saver window can use.
enum class DisplaySystem { kWayland, kX11 };

// The display systems to try for a window, first one first. Full screen tries Wayland when
// a compositor is named (waylandNamed: WAYLAND_DISPLAY is set) and X11 after it; previews
// and host windows are X windows, so only X11. forced ("wayland" or "x11", from
// SPIRANDEL_DISPLAY) leaves only that one for full screen; any other text is ignored.
std::vector<DisplaySystem> DisplaySystemsToTry(bool fullScreen, std::string_view forced,
                                               bool waylandNamed);

// Pixels of a side of logical size on an output of the given scale; scales below 1 count
// as 1, and a side never exceeds what a raster canvas holds.
int SurfacePixels(int logical, std::int32_t scale);

// The pixel of the surface under a pointer at a logical coordinate (fractions included).
std::int32_t PointerPixel(double logical, std::int32_t scale);
