#pragma once

#include <string>

#include "settings/ProfileStore.h"

// The per-user settings on Windows: the registry at
// HKEY_CURRENT_USER\software\<maker>\<application>\<section>, integers as REG_DWORD and
// strings as REG_SZ. Every call opens the key path (creating the maker, application and section
// keys when missing, also when only reading, so they exist after the first start), does one
// thing and closes every key again.
class CRegistryStore : public IProfileStore {
 public:
  // Tests pass their own maker key so that they never touch the real settings.
  explicit CRegistryStore(std::string makerKey = std::string(kMakerKey),
                          std::string applicationTitle = std::string(kApplicationTitle));

  std::uint32_t GetProfileInt(std::string_view section, std::string_view entry,
                              std::uint32_t defaultValue) override;
  std::string GetProfileString(std::string_view section, std::string_view entry,
                               std::string_view defaultValue) override;
  int WriteProfileInt(std::string_view section, std::string_view entry,
                      std::uint32_t value) override;
  int WriteProfileString(std::string_view section, std::string_view entry,
                         std::string_view value) override;

 private:
  std::string m_makerKey;
  std::string m_applicationTitle;
};
