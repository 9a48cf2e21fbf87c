#pragma once

// Which monitors there are and which one gets the figure: decisions on plain data, so that
// every display system only gathers its monitor list and carries out the answer.

#include <cstddef>
#include <span>
#include <vector>

// A monitor's rectangle in the desktop's pixels, and whether the system marks it primary.
struct CMonitorArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool primary = false;

  bool operator==(const CMonitorArea&) const = default;
};

// The monitors to cover, from the lists a display system offers, most detailed first (on X11:
// RandR's monitors, then Xinerama's heads): the first list that names more than one monitor,
// else the whole screen alone. Monitors without area are no monitors.
std::vector<CMonitorArea> PickMonitorList(std::span<const std::vector<CMonitorArea>> sources,
                                          const CMonitorArea& screen);

// The monitor that gets the figure: the one marked primary, else the one that holds the
// desktop's origin (where Windows always keeps its primary), else the first listed. 0 for an
// empty list.
std::size_t FigureMonitorIndex(std::span<const CMonitorArea> monitors);
