#pragma once

#include <string_view>

// The panel's texts, short and in sentence case as the settings sheet's; '&' marks the
// accelerator.
namespace PanelTexts {
inline constexpr std::string_view kCaption = "Spirandel screen saver";
inline constexpr std::string_view kSettings = "Se&ttings...";
inline constexpr std::string_view kRunSaver = "&Preview";
inline constexpr std::string_view kWatcherOn = "&Start when idle";
inline constexpr std::string_view kWait = "&Wait:";
inline constexpr std::string_view kLock = "&Lock the screen after";
inline constexpr std::string_view kMinute = " minute";
inline constexpr std::string_view kMinutes = " minutes";
inline constexpr std::string_view kWaitName = "Wait in minutes";
inline constexpr std::string_view kLockDelayName = "Minutes until the screen locks";

inline constexpr std::string_view kNotWritten =
    "The settings could not be saved. Check that the settings folder can be written; "
    "your changes are still here.";
inline constexpr std::string_view kNotSwitched =
    "The idle watcher could not be turned on or off. Is spirandel-idle installed?";
inline constexpr std::string_view kCannotRun = "Cannot run %1.";
}  // namespace PanelTexts
