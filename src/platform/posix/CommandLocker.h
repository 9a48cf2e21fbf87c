#pragma once

#include <string>

#include "idle/SessionFacts.h"
#include "platform/posix/ChildProcess.h"

// A locker the user names, run by /bin/sh: "swaylock -f", "i3lock", "loginctl lock-session".
// Its process joins the watcher's loop so that it is reaped when it ends. A command that
// returns once the screen is locked (swaylock -f, i3lock) tells the watcher so by its end.
class CCommandLocker : public ILocker {
 public:
  CCommandLocker(std::string command, CChildProcess::EndHandler onEnd);

  std::string Description() const override { return "the command '" + m_command + "'"; }
  // False when the shell cannot start, or the last lock's command still runs.
  bool Lock() override;
  CChildProcess& Process() { return m_process; }

 private:
  std::string m_command;
  CChildProcess m_process;
};
