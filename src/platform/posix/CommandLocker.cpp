#include "platform/posix/CommandLocker.h"

CCommandLocker::CCommandLocker(std::string command)
    : m_command(std::move(command)), m_process([](int, std::chrono::milliseconds) {}) {}

bool CCommandLocker::Lock() {
  return m_process.Start({"/bin/sh", "-c", m_command});
}
