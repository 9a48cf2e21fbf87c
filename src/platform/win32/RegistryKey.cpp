#include "platform/win32/RegistryKey.h"

#include <string>

CRegistryKey::~CRegistryKey() {
  Close();
}

void CRegistryKey::Close() {
  if (m_key != nullptr) {
    RegCloseKey(m_key);
    m_key = nullptr;
  }
}

int CRegistryKey::Open(HKEY parent, std::string_view name) {
  Close();
  const std::string text(name);
  return RegOpenKeyExA(parent, text.c_str(), 0, KEY_READ | KEY_WRITE, &m_key) == ERROR_SUCCESS;
}

int CRegistryKey::Create(HKEY parent, std::string_view name) {
  Close();
  const std::string text(name);
  DWORD disposition = 0;
  const LONG result = RegCreateKeyExA(parent, text.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE, nullptr, &m_key, &disposition);
  if (result != ERROR_SUCCESS) {
    m_key = nullptr;
    return 0;
  }
  return 1;
}
