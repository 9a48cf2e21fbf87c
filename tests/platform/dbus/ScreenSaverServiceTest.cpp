#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <cstdlib>

#include "PrivateBus.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/ScreenSaverService.h"

namespace {
constexpr const char* kName = "org.freedesktop.ScreenSaver";

// A client's call to the watcher's service, with the watcher taking its turns meanwhile.
struct SAnswer {
  bool ok = false;
  uint32_t value = 0;
};

SAnswer Call(sd_bus* client, CBusConnection& watcher, const char* path, const char* method,
             const char* types, ...) {
  sd_bus_message* call = nullptr;
  sd_bus_message_new_method_call(client, &call, kName, path, kName, method);
  va_list args;
  va_start(args, types);
  sd_bus_message_appendv(call, types, args);
  va_end(args);
  SAnswer answer;
  bool answered = false;
  struct SWait {
    SAnswer* answer;
    bool* answered;
  } wait{&answer, &answered};
  sd_bus_slot* slot = nullptr;
  sd_bus_call_async(
      client, &slot, call,
      [](sd_bus_message* reply, void* userdata, sd_bus_error*) {
        auto* wait = static_cast<SWait*>(userdata);
        wait->answer->ok = !sd_bus_message_is_method_error(reply, nullptr);
        char type = 0;
        if (wait->answer->ok && sd_bus_message_peek_type(reply, &type, nullptr) > 0) {
          int b = 0;
          sd_bus_message_read_basic(reply, type,
                                    type == 'b' ? static_cast<void*>(&b) : &wait->answer->value);
          wait->answer->value = type == 'b' ? b : wait->answer->value;
        }
        *wait->answered = true;
        return 0;
      },
      &wait, 0);
  EXPECT_TRUE(PumpUntil({client}, &watcher, [&] { return answered; })) << method;
  sd_bus_slot_unref(slot);
  sd_bus_message_unref(call);
  return answer;
}

TEST(ScreenSaverService, HoldsInhibitsForTheirOwnClientsOnly) {
  CPrivateBus bus;
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  CRecordingEvents events;
  bool saverRunning = false;
  auto service = CScreenSaverService::Claim(*session, events, [&] { return saverRunning; });
  ASSERT_TRUE(service);
  sd_bus* player = bus.Client();
  sd_bus* other = bus.NewClient();
  auto heard = [&](const std::string& expected) {
    EXPECT_TRUE(PumpUntil({player, other}, session.get(), [&] { return events.heard == expected; }))
        << events.heard << " instead of " << expected;
  };

  const SAnswer first =
      Call(player, *session, "/org/freedesktop/ScreenSaver", "Inhibit", "ss", "player", "film");
  ASSERT_TRUE(first.ok);
  EXPECT_NE(first.value, 0u);
  heard("S");
  EXPECT_TRUE(service->Blockers().inhibited);
  const SAnswer second = Call(player, *session, "/ScreenSaver", "Inhibit", "ss", "player", "x");
  EXPECT_NE(second.value, first.value);
  // Another client's or an unknown cookie is refused and releases nothing.
  EXPECT_FALSE(Call(other, *session, "/ScreenSaver", "UnInhibit", "u", first.value).ok);
  EXPECT_FALSE(Call(player, *session, "/ScreenSaver", "UnInhibit", "u", 12345u).ok);
  EXPECT_TRUE(Call(player, *session, "/ScreenSaver", "UnInhibit", "u", first.value).ok);
  EXPECT_FALSE(Call(player, *session, "/ScreenSaver", "UnInhibit", "u", first.value).ok);
  EXPECT_TRUE(service->Inhibited());
  EXPECT_EQ(events.heard, "S");
  // The holder of the last one leaves the bus.
  ASSERT_TRUE(Call(other, *session, "/ScreenSaver", "Inhibit", "ss", "browser", "video").ok);
  EXPECT_TRUE(Call(player, *session, "/ScreenSaver", "UnInhibit", "u", second.value).ok);
  EXPECT_TRUE(service->Inhibited());
  sd_bus_close(other);
  heard("SS");
  EXPECT_FALSE(service->Blockers().inhibited);

  EXPECT_EQ(Call(player, *session, "/ScreenSaver", "GetActive", "").value, 0u);
  saverRunning = true;
  EXPECT_EQ(Call(player, *session, "/org/freedesktop/ScreenSaver", "GetActive", "").value, 1u);
}

TEST(ScreenSaverService, LeavesTheNameToAnEarlierOwnerAndLocksOnlyThroughOthers) {
  CPrivateBus bus;
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  CRecordingEvents events;
  auto locker = CBusMethodLocker::FreedesktopScreenSaver(*session);
  {
    auto ours = CScreenSaverService::Claim(*session, events, nullptr);
    ASSERT_TRUE(ours);
    EXPECT_FALSE(locker.Lock());
  }
  bus.StartMock({kName, "/org/freedesktop/ScreenSaver", kName}, kName);
  AddMockMethod(bus.Client(), kName, "/org/freedesktop/ScreenSaver", kName, "Lock", "", "", "");
  EXPECT_FALSE(CScreenSaverService::Claim(*session, events, nullptr));
  EXPECT_TRUE(locker.Lock());
}

TEST(BusConnection, NoBusIsNoConnectionAndALostBusEndsTheLoop) {
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  EXPECT_FALSE(CBusConnection::Open(CBusConnection::EBus::Session));
  CPrivateBus bus;
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  bus.Stop();
  bool gone = false;
  EXPECT_TRUE(PumpUntil({}, nullptr, [&] {
    gone = gone || !session->Process(POLLIN);
    return gone;
  }));
}
}  // namespace
