#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <cstdarg>
#include <cstdlib>

#include "PrivateBus.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/ScreenSaverService.h"

namespace {
constexpr const char* kName = "org.freedesktop.ScreenSaver";

// A client's call to the watcher's service, with the watcher taking its turns meanwhile:
// whether it was answered without an error, and the number the answer holds.
std::pair<bool, uint32_t> Ask(sd_bus* client, CBusConnection& watcher, const char* path,
                              const char* method, const char* types, ...) {
  sd_bus_message* call = nullptr;
  sd_bus_message_new_method_call(client, &call, kName, path, kName, method);
  va_list args;
  va_start(args, types);
  sd_bus_message_appendv(call, types, args);
  va_end(args);
  Reply reply(nullptr, sd_bus_message_unref);
  sd_bus_slot* slot = nullptr;
  sd_bus_call_async(
      client, &slot, call,
      [](sd_bus_message* m, void* reply, sd_bus_error*) {
        static_cast<Reply*>(reply)->reset(sd_bus_message_ref(m));
        return 0;
      },
      &reply, 0);
  EXPECT_TRUE(PumpUntil(&watcher, [&] { return reply != nullptr; }, {client})) << method;
  sd_bus_slot_unref(slot);
  sd_bus_message_unref(call);
  uint32_t value = 0;  // a boolean is read as its four bytes
  char type = 0;
  if (reply && sd_bus_message_peek_type(reply.get(), &type, nullptr) > 0) {
    sd_bus_message_read_basic(reply.get(), type, &value);
  }
  return {reply && !sd_bus_message_is_method_error(reply.get(), nullptr), value};
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
  sd_bus* other = nullptr;
  ASSERT_GE(sd_bus_open_user(&other), 0);

  const auto [firstOk, first] =
      Ask(player, *session, "/org/freedesktop/ScreenSaver", "Inhibit", "ss", "player", "film");
  ASSERT_TRUE(firstOk);
  EXPECT_NE(first, 0u);
  EXPECT_EQ(events.heard, "S");
  EXPECT_TRUE(service->Blockers().inhibited);
  const auto [secondOk, second] =
      Ask(player, *session, "/ScreenSaver", "Inhibit", "ss", "player", "x");
  EXPECT_NE(second, first);
  // Another client's or an unknown cookie is refused and releases nothing.
  EXPECT_FALSE(Ask(other, *session, "/ScreenSaver", "UnInhibit", "u", first).first);
  EXPECT_FALSE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", 12345u).first);
  EXPECT_TRUE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", first).first);
  EXPECT_FALSE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", first).first);
  EXPECT_TRUE(service->Inhibited());
  EXPECT_EQ(events.heard, "S");
  // The holder of the last one leaves the bus.
  ASSERT_TRUE(Ask(other, *session, "/ScreenSaver", "Inhibit", "ss", "browser", "video").first);
  EXPECT_TRUE(Ask(player, *session, "/ScreenSaver", "UnInhibit", "u", second).first);
  EXPECT_TRUE(service->Inhibited());
  sd_bus_flush_close_unref(other);
  EXPECT_TRUE(PumpUntil(session.get(), [&] { return events.heard == "SS"; }));
  EXPECT_FALSE(service->Blockers().inhibited);

  EXPECT_EQ(Ask(player, *session, "/ScreenSaver", "GetActive", "").second, 0u);
  saverRunning = true;
  EXPECT_EQ(Ask(player, *session, "/org/freedesktop/ScreenSaver", "GetActive", "").second, 1u);
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
