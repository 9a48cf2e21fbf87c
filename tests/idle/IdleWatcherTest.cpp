#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "idle/IdleWatcher.h"

namespace {

using namespace std::chrono_literals;

// Records what the watcher does as short words: "watch 600", "start", "lock-timer 300", ...
class CRecordedActions : public IIdleActions {
 public:
  void WatchIdle(std::chrono::seconds wait) override { Say("watch " + Count(wait)); }
  void StopWatching() override { Say("stop"); }
  bool StartSaver() override {
    Say("start");
    return saverStarts;
  }
  void StartLockTimer(std::chrono::seconds delay) override { Say("lock-timer " + Count(delay)); }
  void CancelLockTimer() override { Say("cancel-lock"); }
  void StopSaver() override { Say("stop-saver"); }
  void Lock() override { Say("lock"); }
  void Report(const std::string&) override { Say("report"); }

  std::string done;
  bool saverStarts = true;

 private:
  static std::string Count(std::chrono::seconds s) { return std::to_string(s.count()); }
  void Say(const std::string& word) { done += (done.empty() ? "" : ", ") + word; }
};

// The events of a case, one letter each, applied after Begin:
//   i idle   I idle while inhibited   L idle while locked   X idle in an inactive session
//   a active   f blockers gone   b blockers still there
//   e saver ended well after a while   q saver failed at once   s saver failed after a while
//   O idle while another saver runs
//   k lock due   t lock taken   K the session reads as locked
//   o settings: off   n settings: on   w settings: wait 60   l settings: lock on
//   u settings: lock off
void Apply(CIdleWatcher& watcher, char event, SIdleSettings& settings) {
  const std::map<char, std::function<void()>> events = {
      {'i', [&] { watcher.OnIdle({}); }},
      {'I', [&] { watcher.OnIdle({.inhibited = true, .otherSaver = {}}); }},
      {'L', [&] { watcher.OnIdle({.locked = true, .otherSaver = {}}); }},
      {'X', [&] { watcher.OnIdle({.inactive = true, .otherSaver = {}}); }},
      {'O', [&] { watcher.OnIdle({.otherSaver = "XScreenSaver"}); }},
      {'a', [&] { watcher.OnActive(); }},
      {'f', [&] { watcher.OnSessionChanged({}); }},
      {'b', [&] { watcher.OnSessionChanged({.inhibited = true, .otherSaver = {}}); }},
      {'K', [&] { watcher.OnSessionChanged({.locked = true, .otherSaver = {}}); }},
      {'e', [&] { watcher.OnSaverEnded({.status = 0, .ranFor = 30000ms}); }},
      {'q', [&] { watcher.OnSaverEnded({.status = 1, .ranFor = 200ms}); }},
      {'s', [&] { watcher.OnSaverEnded({.status = 134, .ranFor = 5000ms}); }},
      {'k', [&] { watcher.OnLockDue(); }},
      {'t', [&] { watcher.OnLockTaken(); }}};
  const std::map<char, std::function<void()>> settingsChanges = {
      {'o', [&] { settings.active = false; }},
      {'n', [&] { settings.active = true; }},
      {'w', [&] { settings.waitSeconds = 60; }},
      {'l', [&] { settings.lock = true; }},
      {'u', [&] { settings.lock = false; }}};
  if (events.contains(event)) {
    return events.at(event)();
  }
  ASSERT_TRUE(settingsChanges.contains(event)) << "no event " << event;
  settingsChanges.at(event)();
  watcher.OnSettingsChanged(settings);
}

// setup: L the lock on, O the watcher off, F a saver that cannot start.
struct SCase {
  const char* name;
  const char* setup;
  const char* events;
  const char* done;  // after Begin's "watch 600" (nothing when off)
};

const SCase kCases[] = {
    {"idle starts the saver", "", "i", "start"},
    {"one saver at a time", "", "ii", "start"},
    {"the next idle after the user came back starts it again", "", "iaeai", "start, start"},
    {"an ended saver is not restarted without a new idle", "", "ief", "start"},
    {"inhibited: nothing", "", "I", ""},
    {"locked: nothing", "", "L", ""},
    {"inactive session: nothing", "", "X", ""},
    {"an inhibitor let go while idle starts it", "", "If", "start"},
    {"another saver: said once, never started", "", "OaOaO", "report"},
    {"another saver gone while idle: ours starts", "", "Of", "report, start"},
    {"another saver gone: said again when it comes back", "", "OaiaeaO", "report, start, report"},
    {"an inhibitor still there holds it back", "", "Ib", ""},
    {"a user back before the inhibitor went: nothing", "", "Iaf", ""},
    {"a quick failure is said once and never looped", "", "iqfaiqai",
     "start, report, start, start"},
    {"a failure after a while is no quick failure", "", "isai", "start, start"},
    {"a good run resets the failure report", "", "iqaieaiq", "start, report, start, start, report"},
    {"the lock timer starts with the saver", "L", "i", "start, lock-timer 300"},
    {"the lock comes when due", "L", "ik", "start, lock-timer 300, lock"},
    {"a saver ended before the lock cancels it", "L", "iek", "start, lock-timer 300, cancel-lock"},
    {"a late lock timer after the end does nothing", "L", "iaeak",
     "start, lock-timer 300, cancel-lock"},
    {"turned off: stops watching and starts nothing", "", "oi", "stop"},
    {"turned off while idle forgets the idle", "", "Iof", "stop"},
    {"turned on again watches again", "", "oni", "stop, watch 600, start"},
    {"a new wait re-arms the watch", "", "w", "watch 60"},
    {"the same settings again do nothing", "", "n", ""},
    {"lock turned on while the saver runs counts from now", "", "il", "start, lock-timer 300"},
    {"lock turned off while pending cancels it", "L", "iuk", "start, lock-timer 300, cancel-lock"},
    {"no second lock in one run", "L", "ikul", "start, lock-timer 300, lock"},
    {"the saver goes once the lock is up", "L", "ikt", "start, lock-timer 300, lock, stop-saver"},
    {"a session locked after our lock ends the saver", "L", "ikKt",
     "start, lock-timer 300, lock, stop-saver"},
    {"a lock that is not ours leaves the saver", "L", "iKt", "start, lock-timer 300"},
    {"a saver that cannot start: said once, never running", "LF", "iaik", "start, report, start"},
    {"turned off from the start: never watches", "O", "i", ""},
    {"a saver ended for the lock is no failure", "L", "iktqai",
     "start, lock-timer 300, lock, stop-saver, start, lock-timer 300"},
};

class IdleWatcherCases : public ::testing::TestWithParam<SCase> {};

TEST_P(IdleWatcherCases, DoesWhatTheEventsCallFor) {
  const SCase& c = GetParam();
  const std::string setup = c.setup;
  CRecordedActions actions;
  actions.saverStarts = setup.find('F') == std::string::npos;
  SIdleSettings settings;
  settings.lock = setup.find('L') != std::string::npos;
  settings.active = setup.find('O') == std::string::npos;
  CIdleWatcher watcher(actions, settings);
  watcher.Begin();
  ASSERT_EQ(actions.done, settings.active ? "watch 600" : "");
  actions.done.clear();
  for (const char* event = c.events; *event; ++event)
    Apply(watcher, *event, settings);
  EXPECT_EQ(actions.done, c.done) << c.name << " (" << c.events << ")";
}

INSTANTIATE_TEST_SUITE_P(Events, IdleWatcherCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

}  // namespace
