#include "app/MonitorChoice.h"

#include <gtest/gtest.h>

namespace {

const CMonitorArea kScreen{0, 0, 1600, 600, false};
const CMonitorArea kLeft{0, 0, 800, 600, false};
const CMonitorArea kRight{800, 0, 800, 600, false};

using Monitors = std::vector<CMonitorArea>;

TEST(MonitorChoiceTest, TheFirstSourceNamingSeveralMonitorsIsBelieved) {
  const CMonitorArea head2{800, 0, 640, 480, false};
  const std::tuple<const char*, std::vector<Monitors>, Monitors> cases[] = {
      {"randr has two", {{kLeft, kRight}, {kLeft, head2}}, {kLeft, kRight}},
      {"randr has one, xinerama two", {{kScreen}, {kLeft, head2}}, {kLeft, head2}},
      {"neither has several", {{kLeft}, {kRight}}, {kScreen}},
      {"no source at all", {}, {kScreen}},
      {"empty monitors do not count", {{kLeft, {800, 0, 0, 600, false}}, {}}, {kScreen}},
      {"empty monitors are dropped", {{kLeft, {0, 0, 5, 0, false}, kRight}}, {kLeft, kRight}},
  };
  for (const auto& [name, sources, expected] : cases) {
    EXPECT_EQ(PickMonitorList(sources, kScreen), expected) << name;
  }
}

TEST(MonitorChoiceTest, TheFigureGoesOnThePrimaryElseTheOriginElseTheFirst) {
  const CMonitorArea leftOfOrigin{-1024, 0, 1024, 768, false};
  const CMonitorArea across{-799, -599, 800, 600, false};  // its last pixel column and row: 0
  const CMonitorArea above{0, -600, 800, 600, false};
  const std::tuple<const char*, Monitors, std::size_t> cases[] = {
      {"primary wins over the origin", {kLeft, {800, 0, 800, 600, true}}, 1},
      {"no primary: the one at the origin", {kRight, kLeft}, 1},
      {"origin inside a monitor that starts left of it", {leftOfOrigin, kRight, across}, 2},
      {"monitors ending at the origin do not hold it", {kRight, leftOfOrigin, above}, 0},
      {"nor those a pixel past it: the first", {kRight, {1, 0, 9, 9}, {0, 1, 9, 9}}, 0},
      {"no monitors", {}, 0},
  };
  for (const auto& [name, monitors, expected] : cases) {
    EXPECT_EQ(FigureMonitorIndex(monitors), expected) << name;
  }
}

}  // namespace
