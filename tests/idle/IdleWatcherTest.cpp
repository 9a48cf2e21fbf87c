#include <gtest/gtest.h>

#include <sstream>
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

const SSessionBlockers kFree{};
const SSessionBlockers kInhibited{.inhibited = true};
const SSessionBlockers kLocked{.locked = true};
const SSessionBlockers kInactive{.inactive = true};

// The events of a case, one letter each, applied after Begin:
//   i idle   I idle while inhibited   L idle while locked   X idle in an inactive session
//   a active   f blockers gone   b blockers still there
//   e saver ended well after a while   q saver failed at once   s saver failed after a while
//   k lock due   t lock taken   K the session reads as locked
//   o settings: off   n settings: on   w settings: wait 60   l settings: lock on
//   u settings: lock off
void Apply(CIdleWatcher& watcher, char event, SIdleSettings& settings) {
  switch (event) {
    case 'i':
      return watcher.OnIdle(kFree);
    case 'I':
      return watcher.OnIdle(kInhibited);
    case 'L':
      return watcher.OnIdle(kLocked);
    case 'X':
      return watcher.OnIdle(kInactive);
    case 'a':
      return watcher.OnActive();
    case 'f':
      return watcher.OnSessionChanged(kFree);
    case 'b':
      return watcher.OnSessionChanged(kInhibited);
    case 'e':
      return watcher.OnSaverEnded({0, 30000ms});
    case 'q':
      return watcher.OnSaverEnded({1, 200ms});
    case 's':
      return watcher.OnSaverEnded({134, 5000ms});
    case 'k':
      return watcher.OnLockDue();
    case 't':
      return watcher.OnLockTaken();
    case 'K':
      return watcher.OnSessionChanged(kLocked);
    case 'o':
      settings.active = false;
      break;
    case 'n':
      settings.active = true;
      break;
    case 'w':
      settings.waitSeconds = 60;
      break;
    case 'l':
      settings.lock = true;
      break;
    case 'u':
      settings.lock = false;
      break;
    default:
      ADD_FAILURE() << "no event " << event;
      return;
  }
  watcher.OnSettingsChanged(settings);
}

struct SCase {
  const char* name;
  bool lock;
  const char* events;
  const char* done;  // after Begin's "watch 600"
};

const SCase kCases[] = {
    {"idle starts the saver", false, "i", "start"},
    {"one saver at a time", false, "ii", "start"},
    {"the next idle after the user came back starts it again", false, "iaeai", "start, start"},
    {"an ended saver is not restarted without a new idle", false, "ief", "start"},
    {"inhibited: nothing", false, "I", ""},
    {"locked: nothing", false, "L", ""},
    {"inactive session: nothing", false, "X", ""},
    {"an inhibitor let go while idle starts it", false, "If", "start"},
    {"an inhibitor still there holds it back", false, "Ib", ""},
    {"a user back before the inhibitor went: nothing", false, "Iaf", ""},
    {"a quick failure is said once and never looped", false, "iqfaiqai",
     "start, report, start, start"},
    {"a failure after a while is no quick failure", false, "isai", "start, start"},
    {"a good run resets the failure report", false, "iqaieaiq",
     "start, report, start, start, report"},
    {"the lock timer starts with the saver", true, "i", "start, lock-timer 300"},
    {"the lock comes when due", true, "ik", "start, lock-timer 300, lock"},
    {"a saver ended before the lock cancels it", true, "iek", "start, lock-timer 300, cancel-lock"},
    {"a late lock timer after the end does nothing", true, "iaeak",
     "start, lock-timer 300, cancel-lock"},
    {"turned off: stops watching and starts nothing", false, "oi", "stop"},
    {"turned off while idle forgets the idle", false, "Iof", "stop"},
    {"turned on again watches again", false, "oni", "stop, watch 600, start"},
    {"a new wait re-arms the watch", false, "w", "watch 60"},
    {"the same settings again do nothing", false, "n", ""},
    {"lock turned on while the saver runs counts from now", false, "il", "start, lock-timer 300"},
    {"lock turned off while pending cancels it", true, "iuk", "start, lock-timer 300, cancel-lock"},
    {"no second lock in one run", true, "ikul", "start, lock-timer 300, lock"},
    {"the saver goes once the lock is up", true, "ikt", "start, lock-timer 300, lock, stop-saver"},
    {"a session locked after our lock ends the saver", true, "ikKt",
     "start, lock-timer 300, lock, stop-saver"},
    {"a lock that is not ours leaves the saver", true, "iKt", "start, lock-timer 300"},
    {"a saver ended for the lock is no failure", true, "iktqai",
     "start, lock-timer 300, lock, stop-saver, start, lock-timer 300"},
};

class IdleWatcherCases : public ::testing::TestWithParam<SCase> {};

TEST_P(IdleWatcherCases, DoesWhatTheEventsCallFor) {
  const SCase& c = GetParam();
  CRecordedActions actions;
  SIdleSettings settings;
  settings.lock = c.lock;
  CIdleWatcher watcher(actions, settings);
  watcher.Begin();
  ASSERT_EQ(actions.done, "watch 600");
  actions.done.clear();
  for (const char* event = c.events; *event; ++event)
    Apply(watcher, *event, settings);
  EXPECT_EQ(actions.done, c.done) << c.name << " (" << c.events << ")";
}

INSTANTIATE_TEST_SUITE_P(Events, IdleWatcherCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(IdleWatcher, ASaverThatCannotStartIsReportedOnceAndNotRunning) {
  CRecordedActions actions;
  actions.saverStarts = false;
  CIdleWatcher watcher(actions, SIdleSettings{.lock = true});
  watcher.OnIdle(kFree);
  watcher.OnActive();
  watcher.OnIdle(kFree);
  EXPECT_EQ(actions.done, "start, report, start");
  EXPECT_FALSE(watcher.SaverRunning());
}

TEST(IdleWatcher, TurnedOffNeverWatchesAtTheStart) {
  CRecordedActions actions;
  CIdleWatcher watcher(actions, SIdleSettings{.active = false});
  watcher.Begin();
  watcher.OnIdle(kFree);
  EXPECT_EQ(actions.done, "");
}

}  // namespace
