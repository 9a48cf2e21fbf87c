#pragma once

#include <span>
#include <string_view>
#include <vector>

// The display systems a full-screen saver tries, first one first, by name ("wayland", "x11")
// from those this build has: Wayland where a compositor is named (waylandNamed:
// WAYLAND_DISPLAY is set), then X11. forced (SPIRANDEL_DISPLAY) naming one of the two leaves
// only that one, also when this build lacks it (then none); any other text is ignored.
std::vector<std::string_view> DisplaySystemsToTry(std::span<const std::string_view> built,
                                                  std::string_view forced, bool waylandNamed);
