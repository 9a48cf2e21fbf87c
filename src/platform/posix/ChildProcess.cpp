#include "platform/posix/ChildProcess.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

extern char** environ;

namespace {

int OpenProcessFd(pid_t pid) {
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int StatusOf(int waitStatus) {
  if (WIFEXITED(waitStatus))
    return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus))
    return 128 + WTERMSIG(waitStatus);
  return 255;
}

}  // namespace

CChildProcess::~CChildProcess() {
  // A saver still running goes on by itself; only its descriptor is ours.
  if (m_pidFd >= 0)
    close(m_pidFd);
}

bool CChildProcess::Start(const std::vector<std::string>& argv) {
  if (Running() || argv.empty())
    return false;
  std::vector<char*> args;
  for (const std::string& arg : argv)
    args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, args[0], nullptr, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0)
    return false;

  m_pidFd = OpenProcessFd(pid);
  if (m_pidFd < 0) {
    // Without a process descriptor its end could not be heard: better no saver than a lost one.
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return false;
  }
  m_pid = pid;
  m_started = std::chrono::steady_clock::now();
  return true;
}

void CChildProcess::Stop() {
  // Through the descriptor: the process id alone could name a newer process after a reap.
  if (m_pidFd >= 0)
    syscall(SYS_pidfd_send_signal, m_pidFd, SIGTERM, nullptr, 0);
}

bool CChildProcess::Process(short) {
  int waitStatus = 0;
  if (m_pid <= 0 || waitpid(m_pid, &waitStatus, WNOHANG) != m_pid)
    return true;
  close(m_pidFd);
  m_pidFd = -1;
  m_pid = -1;
  const auto ranFor = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - m_started);
  m_onEnd(StatusOf(waitStatus), ranFor);
  return true;
}
