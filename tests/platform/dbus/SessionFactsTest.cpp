#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <cstdlib>

#include "PrivateBus.h"
#include "platform/dbus/BusLockers.h"
#include "platform/dbus/GnomeFacts.h"
#include "platform/dbus/LogindSession.h"

namespace {
constexpr const char* kLogin = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kSessionPath = "/org/freedesktop/login1/session/c1";
constexpr const char* kMock = "org.freedesktop.DBus.Mock";

// How the watcher finds its session: from its environment, from its process, or, under the
// user's service manager where it is in no session, the user's graphical one.
enum class EWay { Environment, Process, UsersDisplay, None };

class LogindSessionTest : public PrivateBusTest, public ::testing::WithParamInterface<EWay> {};

TEST_P(LogindSessionTest, FindsTheSessionAndHearsItsLockAndActivity) {
  bus.StartMock({"--template", "logind"}, kLogin);
  ASSERT_TRUE(Call(bus.Client(), nullptr, kLogin, kManagerPath, kMock, "AddSession", "ssusb", "c1",
                   "seat0", 1000u, "user", 1));
  unsetenv("XDG_SESSION_ID");
  if (GetParam() == EWay::Environment) {
    setenv("XDG_SESSION_ID", "c1", 1);
  } else if (GetParam() == EWay::Process) {
    AddMockMethod(bus.Client(), kLogin, kManagerPath, "org.freedesktop.login1.Manager",
                  "GetSessionByPID", "u", "o", "ret = '/org/freedesktop/login1/session/c1'");
  } else if (GetParam() == EWay::UsersDisplay) {
    ASSERT_TRUE(Call(bus.Client(), nullptr, kLogin, kManagerPath, kMock, "AddObject",
                     "ssa{sv}a(ssss)", "/org/freedesktop/login1/user/self",
                     "org.freedesktop.login1.User", 1, "Display", "(so)", "c1", kSessionPath, 0));
  }
  auto system = CBusConnection::Open(CBusConnection::EBus::System);
  ASSERT_TRUE(system);
  auto session = CLogindSession::Find(*system, events);
  ASSERT_EQ(session != nullptr, GetParam() != EWay::None);
  if (!session) {
    return;
  }
  EXPECT_FALSE(session->Blockers().Any());

  // The idle hint changes often and wakes nobody; the lock and the activity do.
  auto update = [&](const char* property, int value) {
    EXPECT_TRUE(Call(bus.Client(), nullptr, kLogin, kSessionPath, kMock, "UpdateProperties",
                     "sa{sv}", "org.freedesktop.login1.Session", 1, property, "b", value));
  };
  update("IdleHint", 1);
  update("LockedHint", 1);
  EXPECT_TRUE(PumpUntil(system.get(), [&] { return !events.heard.empty(); }));
  EXPECT_EQ(events.heard, "S");
  EXPECT_TRUE(session->Blockers().locked);
  EXPECT_FALSE(session->Blockers().inactive);
  update("LockedHint", 0);
  update("Active", 0);
  EXPECT_TRUE(PumpUntil(system.get(), [&] { return events.heard == "SSS"; }));
  EXPECT_FALSE(session->Blockers().locked);
  EXPECT_TRUE(session->Blockers().inactive);

  // The stand-in refuses any session but ours.
  AddMockMethod(bus.Client(), kLogin, kManagerPath, "org.freedesktop.login1.Manager", "LockSession",
                "s", "", "assert args[0] == 'c1'");
  EXPECT_TRUE(CLogindLocker(*session).Lock());
  bus.StopMocks();  // logind gone: no blockers, no lock
  EXPECT_FALSE(session->Blockers().Any());
  EXPECT_FALSE(CLogindLocker(*session).Lock());
}

INSTANTIATE_TEST_SUITE_P(Ways, LogindSessionTest,
                         ::testing::Values(EWay::Environment, EWay::Process, EWay::UsersDisplay,
                                           EWay::None));

constexpr const char* kManager = "org.gnome.SessionManager";
constexpr const char* kManagerObject = "/org/gnome/SessionManager";

struct SInhibitCase {
  const char* answer;  // the stand-in's IsInhibited, null for no session manager
  bool inhibited;
};

class GnomeInhibitorsTest : public PrivateBusTest,
                            public ::testing::WithParamInterface<SInhibitCase> {};

TEST_P(GnomeInhibitorsTest, AsksForTheIdleFlagAndHearsChanges) {
  if (GetParam().answer != nullptr) {
    bus.StartMock({kManager, kManagerObject, kManager}, kManager);
    AddMockMethod(bus.Client(), kManager, kManagerObject, kManager, "IsInhibited", "u", "b",
                  GetParam().answer);
  }
  CGnomeInhibitors inhibitors(*session, events);
  EXPECT_EQ(inhibitors.Blockers().inhibited, GetParam().inhibited);
  if (GetParam().answer != nullptr) {
    EmitFromMock(bus.Client(), kManager, kManagerObject, kManager, "InhibitorRemoved", 0);
    EXPECT_TRUE(PumpUntil(session.get(), [&] { return events.heard == "S"; }));
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, GnomeInhibitorsTest,
                         ::testing::Values(SInhibitCase{"ret = args[0] == 8", true},
                                           SInhibitCase{"ret = False", false},
                                           SInhibitCase{nullptr, false}));

using GnomeShield = PrivateBusTest;

TEST_F(GnomeShield, CountsAsLockedWhenUpAndLocksOnRequest) {
  constexpr const char* kShield = "org.gnome.ScreenSaver";
  constexpr const char* kShieldPath = "/org/gnome/ScreenSaver";
  CGnomeShield shield(*session, events);
  auto locker = CBusMethodLocker::GnomeScreenSaver(*session);
  EXPECT_FALSE(shield.Blockers().Any());
  EXPECT_FALSE(locker.Lock());

  bus.StartMock({"--template", "gnome_screensaver"}, kShield);
  EXPECT_FALSE(shield.Blockers().Any());
  ASSERT_TRUE(Call(bus.Client(), nullptr, kShield, kShieldPath, kShield, "SetActive", "b", 1));
  EXPECT_TRUE(PumpUntil(session.get(), [&] { return events.heard == "S"; }));
  EXPECT_TRUE(shield.Blockers().locked);
  // The stand-in's own Lock takes a second.
  AddMockMethod(bus.Client(), kShield, kShieldPath, kShield, "Lock", "", "", "");
  EXPECT_TRUE(locker.Lock());
}
}  // namespace
