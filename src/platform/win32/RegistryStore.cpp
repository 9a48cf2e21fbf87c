#include "platform/win32/RegistryStore.h"

#include "platform/win32/Win32.h"

#include <utility>
#include <vector>

#include "platform/win32/RegistryKey.h"

namespace {

// A name that the registry API cannot take whole: an embedded terminator would silently cut
// it short.
bool HasTerminator(std::string_view text) {
  return text.find('\0') != std::string_view::npos;
}

// The settings live in one section key directly under the application key. An empty section
// would put the values on the application key itself, and a backslash would reach into other
// keys, so neither is accepted.
bool IsSectionName(std::string_view section) {
  return !section.empty() && section.find('\\') == std::string_view::npos &&
         !HasTerminator(section);
}

// Opens HKEY_CURRENT_USER\software, then creates (or opens) the maker, application and section
// keys in turn; each key but the last is closed as soon as its child is open.
int OpenSection(const std::string& maker, const std::string& application, std::string_view section,
                CRegistryKey& sectionKey) {
  if (!IsSectionName(section)) {
    return 0;
  }
  CRegistryKey software;
  CRegistryKey makerKey;
  CRegistryKey applicationKey;
  return software.Open(HKEY_CURRENT_USER, "software") && makerKey.Create(software.Get(), maker) &&
         applicationKey.Create(makerKey.Get(), application) &&
         sectionKey.Create(applicationKey.Get(), section);
}

}  // namespace

CRegistryStore::CRegistryStore(std::string makerKey, std::string applicationTitle)
    : m_makerKey(std::move(makerKey)), m_applicationTitle(std::move(applicationTitle)) {}

std::uint32_t CRegistryStore::GetProfileInt(std::string_view section, std::string_view entry,
                                            std::uint32_t defaultValue) {
  CRegistryKey key;
  if (!OpenSection(m_makerKey, m_applicationTitle, section, key) || HasTerminator(entry)) {
    return defaultValue;
  }
  const std::string name(entry);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return defaultValue;
  }
  return value;
}

std::string CRegistryStore::GetProfileString(std::string_view section, std::string_view entry,
                                             std::string_view defaultValue) {
  CRegistryKey key;
  if (!OpenSection(m_makerKey, m_applicationTitle, section, key) || HasTerminator(entry)) {
    return std::string(defaultValue);
  }
  const std::string name(entry);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::string(defaultValue);
  }
  // One spare byte, so that a value stored without its terminator still ends in one.
  std::vector<char> data(size + 1, '\0');
  DWORD read = size;
  if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &read) != ERROR_SUCCESS ||
      type != REG_SZ || read > size) {
    return std::string(defaultValue);
  }
  // The text ends at the first terminator, as every reader of a REG_SZ sees it.
  return std::string(data.data());
}

int CRegistryStore::WriteProfileInt(std::string_view section, std::string_view entry,
                                    std::uint32_t value) {
  CRegistryKey key;
  if (!OpenSection(m_makerKey, m_applicationTitle, section, key) || HasTerminator(entry)) {
    return 0;
  }
  const std::string name(entry);
  const DWORD data = value;
  return RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}

int CRegistryStore::WriteProfileString(std::string_view section, std::string_view entry,
                                       std::string_view value) {
  CRegistryKey key;
  // A terminator inside the text would make the stored value read back shorter than written.
  if (!OpenSection(m_makerKey, m_applicationTitle, section, key) || HasTerminator(entry) ||
      HasTerminator(value) || value.size() >= MAXDWORD) {
    return 0;
  }
  const std::string name(entry);
  const std::string text(value);
  return RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}
