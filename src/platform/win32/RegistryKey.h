#pragma once

#include "platform/win32/Win32.h"

#include <string_view>

// One open registry key, closed when the object goes; the key path of the settings is opened
// and closed around every single read or write.
class CRegistryKey {
 public:
  CRegistryKey() = default;
  ~CRegistryKey();
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // RegOpenKeyExA on an existing subkey, read and write access. Nonzero on success.
  int Open(HKEY parent, std::string_view name);
  // RegCreateKeyExA: opens the subkey, creating it when missing. Nonzero on success.
  int Create(HKEY parent, std::string_view name);

  HKEY Get() const { return m_key; }

 private:
  void Close();

  HKEY m_key = nullptr;
};
