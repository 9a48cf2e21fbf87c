#include "platform/posix/PollLoop.h"

#include <algorithm>
#include <cerrno>

void CPollLoop::Add(IPolledSource& source) {
  m_sources.push_back(&source);
}

void CPollLoop::Remove(IPolledSource& source) {
  std::replace(m_sources.begin(), m_sources.end(), &source, static_cast<IPolledSource*>(nullptr));
}

bool CPollLoop::Run() {
  using Clock = std::chrono::steady_clock;
  std::vector<pollfd> fds;
  std::vector<IPolledSource*> polled;
  for (;;) {
    std::erase(m_sources, nullptr);
    fds.clear();
    polled = m_sources;
    std::optional<Clock::time_point> nearest;
    for (IPolledSource* source : polled) {
      source->BeforeWait();
      fds.push_back({source->Fd(), source->Events(), 0});
      if (const auto deadline = source->Deadline(); deadline && (!nearest || *deadline < *nearest))
        nearest = deadline;
    }
    int timeout = -1;
    if (nearest) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*nearest - Clock::now());
      timeout = static_cast<int>(std::clamp<long long>(left.count(), 0, 24 * 3600 * 1000));
    }
    if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR)
      return false;
    const auto now = Clock::now();
    for (std::size_t i = 0; i < polled.size(); ++i) {
      IPolledSource* source = polled[i];
      // A source removed by another's turn in this round is not called.
      if (std::find(m_sources.begin(), m_sources.end(), source) == m_sources.end())
        continue;
      const auto deadline = source->Deadline();
      const bool due = deadline && *deadline <= now;
      if ((fds[i].fd >= 0 && fds[i].revents != 0) || due) {
        if (!source->Process(fds[i].fd >= 0 ? fds[i].revents : 0))
          return true;
      }
    }
  }
}
