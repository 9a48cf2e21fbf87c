#include "platform/posix/CommandLocker.h"

CCommandLocker::CCommandLocker(std::string command, CChildProcess::EndHandler onEnd)
    : m_command(std::move(command)), m_process(std::move(onEnd)) {}

bool CCommandLocker::Lock() {
  return m_process.Start({"/bin/sh", "-c", m_command});
}
