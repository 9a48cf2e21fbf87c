#pragma once

#include <string>
#include <string_view>

// What may keep the saver from starting although the user is away: an application that asked
// for the screen to stay on (a film), a session already locked, a session that is not the one
// in front of the user (fast user switching), or another screen saver that the user runs in
// this session (XScreenSaver, Xfce's, MATE's), which may well show Spirandel itself.
struct SSessionBlockers {
  bool inhibited = false;
  bool locked = false;
  bool inactive = false;
  // The other saver's name, empty when there is none.
  std::string otherSaver;
  bool Any() const { return inhibited || locked || inactive || !otherSaver.empty(); }
  void Add(const SSessionBlockers& other) {
    inhibited |= other.inhibited;
    locked |= other.locked;
    inactive |= other.inactive;
    if (otherSaver.empty())
      otherSaver = other.otherSaver;
  }
};

class ISessionFacts {
 public:
  virtual ~ISessionFacts() = default;
  // Asked at the moment of deciding; an answer nobody gives counts as no blocker.
  virtual SSessionBlockers Blockers() = 0;
};

// The desktop's own locker, never one of ours. Lock asks it to lock; false when the request
// could not even be made (no such service, the command could not start).
class ILocker {
 public:
  virtual ~ILocker() = default;
  virtual std::string Description() const = 0;
  virtual bool Lock() = 0;
};
