#pragma once

#include <string>

#include "idle/SessionFacts.h"
#include "platform/posix/ChildProcess.h"

// A locker the user names, run by /bin/sh: "swaylock -f", "i3lock", "loginctl lock-session".
// Its process joins the watcher's loop so that it is reaped when it ends; a locker that forks
// into the background ends at once, one that stays up ends at the unlock.
class CCommandLocker : public ILocker {
 public:
  explicit CCommandLocker(std::string command);

  std::string Description() const override { return "the command '" + m_command + "'"; }
  // False when the shell cannot start, or the last lock's command still runs.
  bool Lock() override;
  CChildProcess& Process() { return m_process; }

 private:
  std::string m_command;
  CChildProcess m_process;
};
