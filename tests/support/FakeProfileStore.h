#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "settings/ProfileStore.h"

// An in-memory store that remembers every write in order, so tests can check what was
// written and in which order, and can plant values of the wrong type.
class CFakeProfileStore : public IProfileStore {
 public:
  using Value = std::variant<std::uint32_t, std::string>;

  std::uint32_t GetProfileInt(std::string_view, std::string_view entry,
                              std::uint32_t defaultValue) override {
    return Read<std::uint32_t>(entry, defaultValue);
  }
  std::string GetProfileString(std::string_view, std::string_view entry,
                               std::string_view defaultValue) override {
    return Read<std::string>(entry, std::string(defaultValue));
  }
  int WriteProfileInt(std::string_view, std::string_view entry, std::uint32_t value) override {
    return Write(entry, value);
  }
  int WriteProfileString(std::string_view, std::string_view entry,
                         std::string_view value) override {
    return Write(entry, std::string(value));
  }

  std::map<std::string, Value> values;
  std::vector<std::string> writes;
  bool failWrites = false;

 private:
  template <typename T>
  T Read(std::string_view entry, T defaultValue) const {
    const auto it = values.find(std::string(entry));
    const T* value = it == values.end() ? nullptr : std::get_if<T>(&it->second);
    return value != nullptr ? *value : defaultValue;
  }
  int Write(std::string_view entry, Value value) {
    writes.emplace_back(entry);
    if (!failWrites) {
      values[std::string(entry)] = std::move(value);
    }
    return failWrites ? 0 : 1;
  }
};
