#include "platform/dbus/OtherSaverHosts.h"

#include <string_view>
#include <utility>

SSessionBlockers COtherSaverHosts::Blockers() {
  static constexpr std::pair<std::string_view, std::string_view> kHosts[] = {
      {"org.xfce.ScreenSaver", "Xfce's screen saver"},
      {"org.mate.ScreenSaver", "MATE's screen saver"},
      {"org.cinnamon.ScreenSaver", "Cinnamon's screen saver"},
  };
  SSessionBlockers blockers;
  for (const auto& [name, host] : kHosts) {
    if (!m_bus.NameOwner(name).empty()) {
      blockers.otherSaver = host;
      break;
    }
  }
  return blockers;
}
