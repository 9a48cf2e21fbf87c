#include "platform/posix/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>

CInstanceLock::~CInstanceLock() {
  if (m_fd >= 0)
    close(m_fd);
}

CInstanceLock::EResult CInstanceLock::Take(const std::filesystem::path& file) {
  const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0)
    return EResult::Failed;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? EResult::HeldByAnother : EResult::Failed;
  }
  if (m_fd >= 0)
    close(m_fd);
  m_fd = fd;
  return EResult::Taken;
}

bool CInstanceLock::WriteStatus(std::string_view text) {
  if (m_fd < 0 || ftruncate(m_fd, 0) != 0)
    return false;
  return pwrite(m_fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

std::filesystem::path InstanceLockFile(const std::filesystem::path& runtimeFolder,
                                       std::string_view display) {
  std::string name = "spirandel-idle-";
  for (const char c : display) {
    const bool kept =
        std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    name += kept ? c : '_';
  }
  if (display.empty())
    name += "none";
  return runtimeFolder / (name + ".lock");
}
