#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "main/DisplaySystems.h"
#include "settings/SaverSettings.h"

// Previews and the windows of Unix screen-saver hosts are X windows. Each opens the X display
// and its window; null after one line on stderr (exitCode 1 when no display opens, 0 when
// the window id names no window, for the host's log).
std::unique_ptr<ISaverRun> OpenPreview(SaverSettings& settings, std::uint64_t hostWindow,
                                       int& exitCode);
// In the window given, or in the root window without one.
std::unique_ptr<ISaverRun> OpenHostWindow(SaverSettings& settings,
                                          std::optional<std::uint64_t> window, int& exitCode);
// Whether the X display opens, saying so in one line when it does not; true where this build
// has no X11 (nothing to check before starting the settings sheet).
bool CanOpenX11Display(int& exitCode);
