#include "app/MonitorChoice.h"

#include <algorithm>

namespace {

bool HasArea(const CMonitorArea& monitor) {
  return monitor.width > 0 && monitor.height > 0;
}

bool HoldsOrigin(const CMonitorArea& monitor) {
  return monitor.x <= 0 && monitor.y <= 0 && monitor.x + monitor.width > 0 &&
         monitor.y + monitor.height > 0;
}

}  // namespace

std::vector<CMonitorArea> PickMonitorList(std::span<const std::vector<CMonitorArea>> sources,
                                          const CMonitorArea& screen) {
  for (const std::vector<CMonitorArea>& source : sources) {
    std::vector<CMonitorArea> monitors;
    std::copy_if(source.begin(), source.end(), std::back_inserter(monitors), HasArea);
    if (monitors.size() > 1) {
      return monitors;
    }
  }
  return {screen};
}

std::size_t FigureMonitorIndex(std::span<const CMonitorArea> monitors) {
  const auto primary = std::find_if(monitors.begin(), monitors.end(),
                                    [](const CMonitorArea& monitor) { return monitor.primary; });
  if (primary != monitors.end()) {
    return static_cast<std::size_t>(primary - monitors.begin());
  }
  const auto origin = std::find_if(monitors.begin(), monitors.end(), HoldsOrigin);
  return origin != monitors.end() ? static_cast<std::size_t>(origin - monitors.begin()) : 0;
}
