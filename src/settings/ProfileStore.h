#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where the settings live: HKEY_CURRENT_USER\software\<maker>\<application>\<section>.
// The maker key and the application title are fixed for this program; the section is
// passed with every call, as the per-user profile operations of the registry take it.
inline constexpr std::string_view kMakerKey = "tallowyn";
inline constexpr std::string_view kApplicationTitle = "spir_ss";
inline constexpr std::string_view kSettingsSection = "Settings";

// A per-user store of typed values. Every call opens the key path (creating what is
// missing, also when only reading), does one thing and closes it again, so nothing is
// cached between calls and another process's writes are seen at once.
//
// Reads never fail: anything that cannot be read (absent value, wrong type, unreadable
// store) yields the default. Writes return nonzero on success and 0 on failure; the
// settings record ignores the result, as a failed write must not disturb the saver.
class IProfileStore {
 public:
  virtual ~IProfileStore() = default;

  virtual std::uint32_t GetProfileInt(std::string_view section, std::string_view entry,
                                      std::uint32_t defaultValue) = 0;
  virtual std::string GetProfileString(std::string_view section, std::string_view entry,
                                       std::string_view defaultValue) = 0;
  virtual int WriteProfileInt(std::string_view section, std::string_view entry,
                              std::uint32_t value) = 0;
  virtual int WriteProfileString(std::string_view section, std::string_view entry,
                                 std::string_view value) = 0;
};
