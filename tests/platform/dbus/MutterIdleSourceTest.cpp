#include <gtest/gtest.h>

#include <algorithm>

#include "PrivateBus.h"
#include "platform/dbus/MutterIdleSource.h"

namespace {
constexpr const char* kName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";

TEST(MutterIdleSource, HearsOnlyItsOwnWatchesAndReplacesThemOnWatch) {
  CPrivateBus bus;
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  EXPECT_FALSE(CMutterIdleSource::IsOffered(*session));
  bus.StartMock({kName, kPath, kName}, kName);
  EXPECT_TRUE(CMutterIdleSource::IsOffered(*session));
  // Watch ids count up from 1 across both kinds, as Mutter's do.
  const char* next = "self.last = getattr(self, 'last', 0) + 1; ret = self.last";
  AddMockMethod(bus.Client(), kName, kPath, kName, "AddIdleWatch", "t", "u", next);
  AddMockMethod(bus.Client(), kName, kPath, kName, "AddUserActiveWatch", "", "u", next);
  AddMockMethod(bus.Client(), kName, kPath, kName, "RemoveWatch", "u", "", "");

  CRecordingEvents events;
  CMutterIdleSource source(*session, events);
  size_t activeWatchesAsked = 0;
  auto fire = [&](uint32_t id, const std::string& expected) {
    EmitFromMock(bus.Client(), kName, kPath, kName, "WatchFired", id);
    EXPECT_TRUE(PumpUntil({}, session.get(), [&] { return events.heard == expected; }))
        << "after firing " << id << ": " << events.heard << " instead of " << expected;
    // Each idle edge asks for a user-active watch; its answer is on the way before the test's
    // next firing, since both come from the monitor.
    const size_t idles = std::count(expected.begin(), expected.end(), 'I');
    while (activeWatchesAsked < idles) {
      auto calls = MockCalls(bus.Client(), kName, kPath);
      activeWatchesAsked = std::count(calls.begin(), calls.end(), "AddUserActiveWatch");
      PumpUntil({}, session.get(), [] { return true; });
    }
  };

  source.Watch(std::chrono::seconds(5));  // idle watch 1
  EXPECT_TRUE(source.Armed());
  fire(7, "");   // another client's watch
  fire(1, "I");  // user-active watch 2 added
  fire(99, "I");
  fire(2, "IA");
  fire(2, "IA");                          // a user-active watch fires once
  fire(1, "IAI");                         // the idle watch stays; user-active watch 3
  source.Watch(std::chrono::seconds(3));  // replaces 1 and 3 by idle watch 4
  fire(1, "IAI");
  fire(4, "IAII");
  // Whether watch 3's number arrived before the second Watch or after it decides when it is
  // removed, not whether.
  std::vector<std::string> expected = {
      "AddIdleWatch 5000", "AddUserActiveWatch", "AddUserActiveWatch", "RemoveWatch 1",
      "RemoveWatch 3",     "AddIdleWatch 3000",  "AddUserActiveWatch"};
  auto calls = MockCalls(bus.Client(), kName, kPath);
  std::sort(calls.begin(), calls.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(calls, expected);
}

TEST(MutterIdleSource, IsNotArmedWithoutAMonitor) {
  CPrivateBus bus;
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  CRecordingEvents events;
  CMutterIdleSource source(*session, events);
  source.Watch(std::chrono::seconds(5));
  EXPECT_FALSE(source.Armed());
}
}  // namespace
