#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a running watcher says of itself in its lock file: "pid: N", "source: <how it learns
// that the session is idle>", "lockers: <descriptions, '; '-separated, in the order tried>",
// one a line. A reader sees the file as the watcher left it, which may be empty for a moment
// after it starts.
struct SWatcherStatus {
  bool runs = false;
  std::string source;                // empty when not said
  std::vector<std::string> lockers;  // empty when none answers, or not said
  bool lockersSaid = false;          // whether the watcher said which lockers it found
};

// Lines it does not know, and lines without a value, are skipped.
SWatcherStatus ParseWatcherStatus(std::string_view text);

// The panel's lines about the watcher, from what is known of it.
struct SWatcherLines {
  std::string status;  // whether it runs and how it watches
  std::string locker;  // which locker takes over, or why the screen cannot be locked
  bool canLock = true;
};
SWatcherLines DescribeWatcher(const SWatcherStatus& status);
