#pragma once

#include <cstdint>
#include <string_view>

#include "settings/ProfileStore.h"

// When the saver starts by itself and when the desktop's locker takes over. The values keep
// the names Windows gives them in its own desktop settings, so that a user (or a tool) who
// knows one knows the other; they live in a section of their own, a file beside the saver's.
inline constexpr std::string_view kIdleSection = "Desktop";

namespace IdleSettingNames {
inline constexpr std::string_view kScreenSaveActive = "ScreenSaveActive";
inline constexpr std::string_view kScreenSaveTimeOut = "ScreenSaveTimeOut";
inline constexpr std::string_view kScreenSaverIsSecure = "ScreenSaverIsSecure";
// Seconds from the saver's start until the lock, as Windows' grace period before its logon
// screen.
inline constexpr std::string_view kScreenSaverGracePeriod = "ScreenSaverGracePeriod";
}  // namespace IdleSettingNames

struct SIdleSettings {
  static constexpr std::uint32_t kDefaultWaitSeconds = 600;
  static constexpr std::uint32_t kDefaultLockDelaySeconds = 300;
  // A day: longer waits are typing errors, and the idle protocols count in 32-bit milliseconds.
  static constexpr std::uint32_t kMaxSeconds = 86400;

  bool active = true;
  std::uint32_t waitSeconds = kDefaultWaitSeconds;
  bool lock = false;
  std::uint32_t lockDelaySeconds = kDefaultLockDelaySeconds;

  bool operator==(const SIdleSettings&) const = default;
};

// Stored values out of range (a wait of 0 or over a day) read as the default, as the saver's
// own settings do; what cannot be read at all reads as the defaults.
SIdleSettings ReadIdleSettings(IProfileStore& store);
// Nonzero when every value was written.
int WriteIdleSettings(IProfileStore& store, const SIdleSettings& settings);
