#include "platform/posix/LoopSources.h"

#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>

namespace {

sigset_t EndingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaddset(&set, signal);
  return set;
}

}  // namespace

CEndingSignals::CEndingSignals() {
  const sigset_t set = EndingSignalSet();
  sigprocmask(SIG_BLOCK, &set, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  m_fd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

CEndingSignals::~CEndingSignals() {
  if (m_fd >= 0)
    close(m_fd);
}

bool CEndingSignals::Process(short) {
  signalfd_siginfo info{};
  if (read(m_fd, &info, sizeof info) != static_cast<ssize_t>(sizeof info))
    return true;
  m_received = static_cast<int>(info.ssi_signo);
  return false;
}

void CTimer::Start(std::chrono::steady_clock::duration after) {
  m_due = std::chrono::steady_clock::now() + after;
}

bool CTimer::Process(short) {
  if (!m_due || *m_due > std::chrono::steady_clock::now())
    return true;
  m_due.reset();
  m_onExpiry();
  return true;
}

CFileWatch::CFileWatch(const std::filesystem::path& file, std::function<void()> onChange)
    : m_name(file.filename().string()), m_onChange(std::move(onChange)) {
  m_fd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (m_fd < 0)
    return;
  const std::string folder = file.parent_path().string();
  if (inotify_add_watch(m_fd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE) < 0) {
    close(m_fd);
    m_fd = -1;
  }
}

CFileWatch::~CFileWatch() {
  if (m_fd >= 0)
    close(m_fd);
}

bool CFileWatch::Process(short) {
  alignas(inotify_event) std::array<char, 4096> buffer;
  bool changed = false;
  for (;;) {
    const ssize_t length = read(m_fd, buffer.data(), buffer.size());
    if (length <= 0)
      break;
    for (ssize_t at = 0; at < length;) {
      inotify_event event;
      std::memcpy(&event, buffer.data() + at, sizeof event);
      const char* name = buffer.data() + at + sizeof event;
      if (event.len > 0 && m_name == name)
        changed = true;
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
  if (changed)
    m_onChange();
  return true;
}
