#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/posix/PolledSource.h"

// A program the watcher starts and hears end, through a process descriptor, so that neither
// SIGCHLD nor a polling wait is needed.
class CChildProcess : public IPolledSource {
 public:
  // status: the exit code, or 128 + the signal that ended it; ranFor: since the start.
  using EndHandler = std::function<void(int status, std::chrono::milliseconds ranFor)>;

  explicit CChildProcess(EndHandler onEnd) : m_onEnd(std::move(onEnd)) {}
  ~CChildProcess() override;
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;

  // Runs argv[0] (a path, or a name looked up in PATH) with the signals unblocked. False, with
  // nothing running, when it cannot start or one runs already.
  bool Start(const std::vector<std::string>& argv);
  // Asks it to end (SIGTERM); its end comes through Process as any other.
  void Stop();
  bool Running() const { return m_pid > 0; }
  pid_t Pid() const { return m_pid; }

  int Fd() const override { return m_pidFd; }
  bool Process(short revents) override;

 private:
  EndHandler m_onEnd;
  pid_t m_pid = -1;
  int m_pidFd = -1;
  std::chrono::steady_clock::time_point m_started;
};
