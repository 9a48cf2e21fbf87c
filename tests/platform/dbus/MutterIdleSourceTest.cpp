#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include "PrivateBus.h"
#include "platform/dbus/MutterIdleSource.h"

namespace {
constexpr const char* kName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";

using MutterIdleSource = PrivateBusTest;

TEST_F(MutterIdleSource, HearsOnlyItsOwnWatchesReplacesThemAndFollowsTheMonitor) {
  CMutterIdleSource source(*session, events);
  source.Watch(std::chrono::seconds(5));
  EXPECT_FALSE(source.Armed());
  EXPECT_FALSE(CMutterIdleSource::IsOffered(*session));
  // An idle watch is numbered by its seconds, user-active watches from 101; the stand-in keeps
  // the numbers of the watches it holds, as Mutter would.
  auto startMonitor = [&] {
    bus.StartMock({kName, kPath, kName}, kName);
    AddMockMethod(bus.Client(), kName, kPath, kName, "AddIdleWatch", "t", "u",
                  "ret = args[0] // 1000; self.held = getattr(self, 'held', set()) | {ret}");
    AddMockMethod(bus.Client(), kName, kPath, kName, "AddUserActiveWatch", "", "u",
                  "ret = self.last = getattr(self, 'last', 100) + 1; self.held.add(ret)");
    AddMockMethod(bus.Client(), kName, kPath, kName, "RemoveWatch", "u", "",
                  "self.held.discard(args[0])");
    AddMockMethod(bus.Client(), kName, kPath, kName, "Held", "", "au", "ret = sorted(self.held)");
  };
  auto held = [&] {
    Reply reply = Call(bus.Client(), nullptr, kName, kPath, kName, "Held", "");
    const uint32_t* ids = nullptr;
    size_t size = 0;
    sd_bus_message_read_array(reply.get(), 'u', reinterpret_cast<const void**>(&ids), &size);
    return std::vector<uint32_t>(ids, ids + size / sizeof(uint32_t));
  };
  startMonitor();
  EXPECT_TRUE(CMutterIdleSource::IsOffered(*session));
  // A monitor that appears after the watch was asked for gets it.
  EXPECT_TRUE(PumpUntil(session.get(), [&] { return source.Armed(); }));

  auto fire = [&](uint32_t id, const std::string& expected) {
    EmitFromMock(bus.Client(), kName, kPath, kName, "WatchFired", id);
    // A firing that is ignored shows in the next one's result, which comes after it.
    EXPECT_TRUE(PumpUntil(session.get(), [&] { return events.heard == expected; }))
        << "after firing " << id << ": " << events.heard << " instead of " << expected;
  };
  fire(7, "");  // another client's watch
  fire(5, "I");
  fire(99, "I");
  fire(101, "IA");
  fire(101, "IA");  // a user-active watch fires once
  fire(5, "IAI");   // the idle watch stays
  source.Watch(std::chrono::seconds(3));
  fire(5, "IAI");
  fire(3, "IAII");
  // The replaced idle watch and the unfired user-active one were given back; Mutter itself
  // drops a user-active watch that fired (101 here).
  EXPECT_EQ(held(), (std::vector<uint32_t>{3, 101, 103}));
  // A monitor that comes back knows no watches; the wait is asked for again.
  bus.StopMocks();
  startMonitor();
  fire(3, "IAIII");
  EXPECT_EQ(held(), (std::vector<uint32_t>{3, 101}));
}
}  // namespace
