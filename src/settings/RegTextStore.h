#pragma once

#include <string>

#include "settings/ProfileStore.h"
#include "settings/RegExportText.h"

// The full key path of a section, as it appears in a registry export's header.
std::string SettingsKeyPath(std::string_view section);

// A store over the text of a registry export held in memory: the headless renderer reads a
// settings file through it, and the file store builds on the same text rules.
class CRegTextStore : public IProfileStore {
 public:
  explicit CRegTextStore(std::string_view text) : m_text(text) {}

  std::uint32_t GetProfileInt(std::string_view section, std::string_view entry,
                              std::uint32_t defaultValue) override;
  std::string GetProfileString(std::string_view section, std::string_view entry,
                               std::string_view defaultValue) override;
  int WriteProfileInt(std::string_view section, std::string_view entry,
                      std::uint32_t value) override;
  int WriteProfileString(std::string_view section, std::string_view entry,
                         std::string_view value) override;

  std::string Text() const { return m_text.Text(); }

 private:
  CRegExportText m_text;
};
