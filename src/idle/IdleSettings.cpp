#include "idle/IdleSettings.h"

namespace {

std::uint32_t ReadSeconds(IProfileStore& store, std::string_view name, std::uint32_t fallback,
                          std::uint32_t lowest) {
  const std::uint32_t value = store.GetProfileInt(kIdleSection, name, fallback);
  return value < lowest || value > SIdleSettings::kMaxSeconds ? fallback : value;
}

}  // namespace

SIdleSettings ReadIdleSettings(IProfileStore& store) {
  using namespace IdleSettingNames;
  SIdleSettings settings;
  settings.active = store.GetProfileInt(kIdleSection, kScreenSaveActive, 1) != 0;
  settings.waitSeconds =
      ReadSeconds(store, kScreenSaveTimeOut, SIdleSettings::kDefaultWaitSeconds, 1);
  settings.lock = store.GetProfileInt(kIdleSection, kScreenSaverIsSecure, 0) != 0;
  // A grace of 0 is meaningful: the locker takes over as the saver starts.
  settings.lockDelaySeconds =
      ReadSeconds(store, kScreenSaverGracePeriod, SIdleSettings::kDefaultLockDelaySeconds, 0);
  return settings;
}

int WriteIdleSettings(IProfileStore& store, const SIdleSettings& settings) {
  using namespace IdleSettingNames;
  int written =
      store.WriteProfileInt(kIdleSection, kScreenSaveActive, settings.active ? 1 : 0) != 0;
  written &= store.WriteProfileInt(kIdleSection, kScreenSaveTimeOut, settings.waitSeconds) != 0;
  written &= store.WriteProfileInt(kIdleSection, kScreenSaverIsSecure, settings.lock ? 1 : 0) != 0;
  written &=
      store.WriteProfileInt(kIdleSection, kScreenSaverGracePeriod, settings.lockDelaySeconds) != 0;
  return written;
}
