#pragma once

#include <filesystem>

// The user's word on the watcher's system-wide autostart entry: a file of the same name in the
// user's autostart folder overrides it, and one that says Hidden=true keeps the session from
// starting the watcher. Removing that override gives the system's entry back.
class CAutostartEntry {
 public:
  // configHome: $XDG_CONFIG_HOME or its default; the override lives in its autostart folder.
  explicit CAutostartEntry(const std::filesystem::path& configHome);

  const std::filesystem::path& File() const { return m_file; }
  // False when the session will not start the watcher because of the user's override.
  bool Enabled() const;
  // Writes or removes the override; false when the folder or file cannot be changed. An
  // override the user wrote without Hidden=true is left alone when enabling.
  bool SetEnabled(bool enabled);

 private:
  std::filesystem::path m_file;
};
