#include <gtest/gtest.h>

#include "panel/WatcherStatus.h"

namespace {

TEST(WatcherStatusTest, ReadsTheLockFileTextAndSaysWhatItMeans) {
  struct SCase {
    const char* text;
    const char* status;
    const char* locker;
    bool canLock;
  } cases[] = {
      {"pid: 12\nsource: GNOME's idle monitor\nlockers: the command 'swaylock -f'; logind's "
       "session lock\n",
       "The idle watcher runs, using GNOME's idle monitor.",
       "Locks with the command 'swaylock -f'.", true},
      {"pid: 12\nsource: X11's idle counter (XSync IDLETIME)\nlockers: \n",
       "The idle watcher runs, using X11's idle counter (XSync IDLETIME).",
       "No screen locker answers on this desktop.", false},
      {"lockers: ; ;logind's session lock ;\r\n", "The idle watcher runs.",
       "Locks with logind's session lock.", true},
      {"", "The idle watcher runs.", "The watcher has not yet said which locker it found.", true},
      {"\x01garbage\nsource:\nsource\npid: x\n", "The idle watcher runs.",
       "The watcher has not yet said which locker it found.", true},
  };
  for (const auto& c : cases) {
    const SWatcherLines lines = DescribeWatcher(ParseWatcherStatus(c.text));
    EXPECT_EQ(lines.status, c.status) << c.text;
    EXPECT_EQ(lines.locker, c.locker) << c.text;
    EXPECT_EQ(lines.canLock, c.canLock) << c.text;
  }
  const SWatcherLines none = DescribeWatcher({});
  EXPECT_EQ(none.status, "The idle watcher is not running.");
  EXPECT_TRUE(none.canLock);
}

}  // namespace
