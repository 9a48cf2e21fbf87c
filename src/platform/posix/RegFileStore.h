#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "settings/ProfileStore.h"
#include "settings/RegExportText.h"

// The per-user settings on Linux: one registry-export file per section,
// <config home>/tallowyn/spir_ss/<section>.reg. Every call opens the key path (creating the
// folders and the file when missing, also when only reading) and closes it again.
//
// Nothing is lost, whatever happens: a write rewrites the whole text with only its own value
// changed, into a temporary file in the same folder that is flushed to disk and renamed over
// the old one; a file that cannot be read is never replaced.
class CRegFileStore : public IProfileStore {
 public:
  explicit CRegFileStore(std::filesystem::path configHome);

  std::uint32_t GetProfileInt(std::string_view section, std::string_view entry,
                              std::uint32_t defaultValue) override;
  std::string GetProfileString(std::string_view section, std::string_view entry,
                               std::string_view defaultValue) override;
  int WriteProfileInt(std::string_view section, std::string_view entry,
                      std::uint32_t value) override;
  int WriteProfileString(std::string_view section, std::string_view entry,
                         std::string_view value) override;

  // The file that holds a section; empty for a section name that is not a plain file name.
  std::optional<std::filesystem::path> SectionFile(std::string_view section) const;

 private:
  // Creates the folders and an empty export when missing; returns the file's text, or
  // nothing when the key path cannot be opened or the file cannot be read.
  std::optional<std::string> OpenAndRead(std::string_view section) const;
  // Reads the section's text, applies one edit and writes it back. Nonzero on success.
  int Edit(std::string_view section, const std::function<bool(CRegExportText&)>& edit);

  std::filesystem::path m_appFolder;
};

// $XDG_CONFIG_HOME when it is set to an absolute path, else ~/.config ($HOME, or the
// password database when HOME is unset, as screen-saver hosts often strip the environment).
std::filesystem::path UserConfigHome();

// Writes text to path through a temporary file in the same folder and a rename, so that a
// crash or a full disk leaves the old file whole. Nonzero on success.
int ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text);
