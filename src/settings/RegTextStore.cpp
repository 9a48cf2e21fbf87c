#include "settings/RegTextStore.h"

std::string SettingsKeyPath(std::string_view section) {
  return "HKEY_CURRENT_USER\\software\\" + std::string(kMakerKey) + "\\" +
         std::string(kApplicationTitle) + "\\" + std::string(section);
}

std::uint32_t CRegTextStore::GetProfileInt(std::string_view section, std::string_view entry,
                                           std::uint32_t defaultValue) {
  return m_text.ReadDword(SettingsKeyPath(section), entry).value_or(defaultValue);
}

std::string CRegTextStore::GetProfileString(std::string_view section, std::string_view entry,
                                            std::string_view defaultValue) {
  return m_text.ReadString(SettingsKeyPath(section), entry).value_or(std::string(defaultValue));
}

int CRegTextStore::WriteProfileInt(std::string_view section, std::string_view entry,
                                   std::uint32_t value) {
  m_text.SetDword(SettingsKeyPath(section), entry, value);
  return 1;
}

int CRegTextStore::WriteProfileString(std::string_view section, std::string_view entry,
                                      std::string_view value) {
  return m_text.SetString(SettingsKeyPath(section), entry, value) ? 1 : 0;
}
