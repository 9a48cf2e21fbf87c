#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "FakeProfileStore.h"
#include "panel/PanelModel.h"

namespace {

namespace fs = std::filesystem;

class CFakeServices : public IServiceManager, public IWatcherProcess {
 public:
  bool Answers() override { return answers; }
  bool EnableNow() override { return Note("enable", enables); }
  bool DisableNow() override { return Note("disable", disables); }
  bool Runs() override { return runs; }
  bool Start() override { return Note("start", starts); }

  bool answers = true, enables = true, disables = true, runs = false, starts = true;
  std::string calls;

 private:
  bool Note(const char* call, bool result) {
    calls += calls.empty() ? call : std::string(" ") + call;
    return result;
  }
};

class PanelModelTest : public testing::Test {
 protected:
  PanelModelTest() { fs::remove_all(m_home); }
  ~PanelModelTest() override { fs::remove_all(m_home); }

  std::uint32_t Stored(const char* name) const {
    const auto it = m_store.values.find(name);
    return it == m_store.values.end() ? 0xdead : std::get<std::uint32_t>(it->second);
  }
  bool Hidden() const { return !m_autostart.Enabled(); }

  const fs::path m_home =
      fs::temp_directory_path() /
      ("panel-model-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
  CFakeProfileStore m_store;
  CFakeServices m_services;
  CAutostartEntry m_autostart{m_home};
  CWatcherSwitch m_switch{m_services, m_autostart, m_services};
  CPanelModel m_model{m_store, m_switch};
};

TEST_F(PanelModelTest, ShowsStoredSecondsAsMinutesAndWritesOnlyWhatChanged) {
  m_store.values = {
      {"ScreenSaveTimeOut", 90u}, {"ScreenSaverGracePeriod", 0u}, {"ScreenSaverIsSecure", 1u}};
  m_model.Load(true);
  EXPECT_TRUE(m_model.WatcherOn());
  EXPECT_EQ(m_model.WaitMinutes(), 2);  // rounded up
  EXPECT_EQ(m_model.LockMinutes(), 0);
  EXPECT_TRUE(m_model.Lock());
  // Set to what they show, the stored seconds stay and Apply has nothing to write.
  m_model.SetWaitMinutes(2);
  m_model.SetLockMinutes(0);
  EXPECT_FALSE(m_model.Changed());
  EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::Done);
  EXPECT_TRUE(m_store.writes.empty());

  struct SCase {
    int wait, lockMinutes;
    std::uint32_t storedWait, storedLock;
  } cases[] = {{5, 3, 300, 180}, {0, -4, 60, 0}, {1441, 99999, 86400, 86400}, {1440, 1, 86400, 60}};
  for (const SCase& c : cases) {
    m_model.SetWaitMinutes(c.wait);
    m_model.SetLockMinutes(c.lockMinutes);
    m_model.SetLock(false);
    EXPECT_TRUE(m_model.Changed()) << c.wait;
    EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::Done);
    EXPECT_EQ(Stored("ScreenSaveTimeOut"), c.storedWait) << c.wait;
    EXPECT_EQ(Stored("ScreenSaverGracePeriod"), c.storedLock) << c.lockMinutes;
    EXPECT_EQ(Stored("ScreenSaverIsSecure"), 0u);
    EXPECT_FALSE(m_model.Changed());
  }
  EXPECT_EQ(m_services.calls, "");
}

TEST_F(PanelModelTest, TurnsTheWatcherOnAndOffThroughTheManagerElseTheAutostartEntry) {
  struct SCase {
    const char* name;
    bool answers, enables, runs, storedActive, watcherRuns, turnOn;
    const char* calls;
    std::uint32_t storedActiveAfter;
    bool hiddenAfter;
    CPanelModel::EApplied result;
  } cases[] = {
      {"on through the unit", true, true, false, true, false, true, "enable", 1, false,
       CPanelModel::EApplied::Done},
      {"unit refused: started by hand", true, false, false, false, false, true, "enable start", 1,
       false, CPanelModel::EApplied::Done},
      {"no manager, one runs already", false, true, true, false, false, true, "", 1, false,
       CPanelModel::EApplied::Done},
      {"no manager, started now", false, true, false, true, false, true, "start", 1, false,
       CPanelModel::EApplied::Done},
      {"off through the unit", true, true, true, true, true, false, "disable", 0, true,
       CPanelModel::EApplied::Done},
      {"off without a manager", false, true, true, true, true, false, "", 0, true,
       CPanelModel::EApplied::Done},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(m_home);
    m_store.values = {{"ScreenSaveActive", c.storedActive ? 1u : 0u}};
    m_services = {};
    m_services.answers = c.answers;
    m_services.enables = c.enables;
    m_services.runs = c.runs;
    m_autostart.SetEnabled(!c.turnOn);
    m_model.Load(c.watcherRuns);
    m_model.SetWatcherOn(c.turnOn);
    EXPECT_TRUE(m_model.Changed());
    EXPECT_EQ(m_model.Apply(), c.result);
    EXPECT_EQ(m_services.calls, c.calls);
    EXPECT_EQ(Stored("ScreenSaveActive"), c.storedActiveAfter);
    EXPECT_EQ(Hidden(), c.hiddenAfter);
    EXPECT_FALSE(m_model.Changed());
  }
}

TEST_F(PanelModelTest, SaysWhatFailedAndKeepsTheEditsForAnotherTry) {
  m_model.Load(false);
  EXPECT_FALSE(m_model.WatcherOn());  // stored as active, but nothing runs
  m_model.SetWaitMinutes(7);
  m_model.SetWatcherOn(true);
  m_store.failWrites = true;
  EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::NotWritten);
  EXPECT_EQ(m_services.calls, "");
  EXPECT_EQ(m_model.WaitMinutes(), 7);
  EXPECT_TRUE(m_model.Changed());

  m_store.failWrites = false;
  m_services.answers = false;
  m_services.starts = false;
  EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::WatcherNotSwitched);
  EXPECT_EQ(Stored("ScreenSaveTimeOut"), 420u);
  EXPECT_TRUE(m_model.Changed());  // the switch is still to do
  m_services.starts = true;
  EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::Done);

  // An autostart folder that cannot be made: off cannot keep the next session from it.
  fs::create_directories(m_home);
  std::ofstream(m_home / "autostart") << "a file where the folder goes";
  m_model.SetWatcherOn(false);
  EXPECT_EQ(m_model.Apply(), CPanelModel::EApplied::WatcherNotSwitched);
}

TEST_F(PanelModelTest, AutostartOverrideCountsOnlyAHiddenMainGroup) {
  fs::create_directories(m_home / "autostart");
  struct SCase {
    const char* text;
    bool enabled;
  } cases[] = {{"[Desktop Entry]\r\nHidden=true\r\n", false},
               {"[Desktop Entry]\nExec=spirandel-idle --wait 60\n", true},
               {"[Desktop Action x]\nHidden=true\n", true},
               {"Hidden=true\n", true},
               {"[Desktop Entry]\nHidden=false\n", true}};
  for (const SCase& c : cases) {
    std::ofstream(m_autostart.File()) << c.text;
    EXPECT_EQ(m_autostart.Enabled(), c.enabled) << c.text;
    // Turning on keeps an override of the user's own that does not hide the watcher.
    EXPECT_TRUE(m_autostart.SetEnabled(true));
    EXPECT_EQ(fs::exists(m_autostart.File()), c.enabled) << c.text;
  }
}

}  // namespace
