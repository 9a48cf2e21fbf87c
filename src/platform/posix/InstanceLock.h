#pragma once

#include <filesystem>
#include <string_view>

// One watcher per session, however it was started (the user unit, the autostart entry, a
// terminal): the first takes an exclusive lock on a file named after the session's display in
// the user's runtime folder and holds it for its life; the kernel lets go when it dies. A
// reader that cannot take the lock knows a watcher runs, and reads its status in the file.
class CInstanceLock {
 public:
  enum class EResult { Taken, HeldByAnother, Failed };

  CInstanceLock() = default;
  ~CInstanceLock();
  CInstanceLock(const CInstanceLock&) = delete;
  CInstanceLock& operator=(const CInstanceLock&) = delete;

  EResult Take(const std::filesystem::path& file);
  // Replaces the file's text with the holder's word on itself (which source it watches with,
  // its lockers), for whoever shows the watcher's state; the lock stays. False when not taken
  // or not written.
  bool WriteStatus(std::string_view text);

 private:
  int m_fd = -1;
};

// The lock file of the session on this display: <runtime>/spirandel-idle-<display>.lock, the
// display's name kept to letters, digits, '-', '_' and '.' so that it cannot name another folder.
std::filesystem::path InstanceLockFile(const std::filesystem::path& runtimeFolder,
                                       std::string_view display);
