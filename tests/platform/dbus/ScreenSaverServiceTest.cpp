#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <cstdlib>

#include "PrivateBus.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/ScreenSaverService.h"

namespace {
constexpr const char* kName = "org.freedesktop.ScreenSaver";

// A client's call to the watcher's service, with the watcher taking its turns meanwhile.
template <typename... Args>
Reply Ask(sd_bus* client, CBusConnection& watcher, const char* path, const char* method,
          const char* types, Args... args) {
  return Call(client, &watcher, kName, path, kName, method, types, args...);
}

// The number a reply holds; a boolean is read as its four bytes.
uint32_t Number(const Reply& reply) {
  uint32_t value = 0;
  char type = 0;
  if (reply && sd_bus_message_peek_type(reply.get(), &type, nullptr) > 0) {
    sd_bus_message_read_basic(reply.get(), type, &value);
  }
  return value;
}

using ScreenSaverService = PrivateBusTest;

TEST_F(ScreenSaverService, HoldsInhibitsForTheirOwnClientsOnly) {
  bool saverRunning = false;
  auto service = CScreenSaverService::Claim(*session, events, [&] { return saverRunning; });
  ASSERT_TRUE(service);
  sd_bus* player = bus.Client();
  sd_bus* other = nullptr;
  ASSERT_GE(sd_bus_open_user(&other), 0);

  const uint32_t first = Number(
      Ask(player, *session, "/org/freedesktop/ScreenSaver", "Inhibit", "ss", "player", "film"));
  ASSERT_NE(first, 0u);
  EXPECT_EQ(events.heard, "S");
  EXPECT_TRUE(service->Blockers().inhibited);
  const uint32_t second =
      Number(Ask(player, *session, "/ScreenSaver", "Inhibit", "ss", "player", "x"));
  EXPECT_NE(second, first);
  // Another client's or an unknown cookie is refused and releases nothing.
  EXPECT_FALSE(Ask(other, *session, "/ScreenSaver", "UnInhibit", "u", first));
  EXPECT_FALSE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", 12345u));
  EXPECT_TRUE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", first));
  EXPECT_FALSE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", first));
  EXPECT_TRUE(service->Inhibited());
  EXPECT_EQ(events.heard, "S");
  // The holder of the last one leaves the bus.
  ASSERT_TRUE(Ask(other, *session, "/ScreenSaver", "Inhibit", "ss", "browser", "video"));
  EXPECT_TRUE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", second));
  EXPECT_TRUE(service->Inhibited());
  sd_bus_flush_close_unref(other);
  EXPECT_TRUE(PumpUntil(session.get(), [&] { return events.heard == "SS"; }));
  EXPECT_FALSE(service->Blockers().inhibited);

  EXPECT_EQ(Number(Ask(player, *session, "/ScreenSaver", "GetActive", "")), 0u);
  saverRunning = true;
  EXPECT_EQ(Number(Ask(player, *session, "/org/freedesktop/ScreenSaver", "GetActive", "")), 1u);
}

TEST_F(ScreenSaverService, LeavesTheNameToAnEarlierOwnerAndLocksOnlyThroughOthers) {
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
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  EXPECT_FALSE(CBusConnection::Open(CBusConnection::EBus::System));
  auto session = CBusConnection::Open(CBusConnection::EBus::Session);
  ASSERT_TRUE(session);
  // The loop sleeps without a deadline until a call waits for its answer.
  EXPECT_FALSE(session->Deadline());
  sd_bus_call_method_async(
      session->Raw(), nullptr, "org.example.Nobody", "/", "org.example.Nobody", "Hang",
      [](sd_bus_message*, void*, sd_bus_error*) { return 0; }, nullptr, "");
  const auto deadline = session->Deadline();
  ASSERT_TRUE(deadline);
  EXPECT_LE(*deadline - std::chrono::steady_clock::now(), CBusConnection::kCallTimeout);
  EXPECT_GT(*deadline - std::chrono::steady_clock::now(), CBusConnection::kCallTimeout / 2);
  bus.Stop();
  bool gone = false;
  EXPECT_TRUE(PumpUntil(nullptr, [&] {
    gone = gone || !session->Process(POLLIN);
    return gone;
  }));
}
}  // namespace
