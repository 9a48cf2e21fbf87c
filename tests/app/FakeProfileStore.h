#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "app/ProfileStore.h"

// An in-memory store that remembers every write in order, so tests can check what was
// written and in which order, and can plant values of the wrong type.
class CFakeProfileStore : public IProfileStore {
 public:
  using Value = std::variant<std::uint32_t, std::string>;

  std::uint32_t GetProfileInt(std::string_view, std::string_view entry,
                              std::uint32_t defaultValue) override {
    const auto it = values.find(std::string(entry));
    if (it == values.end() || !std::holds_alternative<std::uint32_t>(it->second)) {
      return defaultValue;
    }
    return std::get<std::uint32_t>(it->second);
  }
  std::string GetProfileString(std::string_view, std::string_view entry,
                               std::string_view defaultValue) override {
    const auto it = values.find(std::string(entry));
    if (it == values.end() || !std::holds_alternative<std::string>(it->second)) {
      return std::string(defaultValue);
    }
    return std::get<std::string>(it->second);
  }
  int WriteProfileInt(std::string_view, std::string_view entry, std::uint32_t value) override {
    writes.emplace_back(entry);
    if (failWrites) {
      return 0;
    }
    values[std::string(entry)] = value;
    return 1;
  }
  int WriteProfileString(std::string_view, std::string_view entry,
                         std::string_view value) override {
    writes.emplace_back(entry);
    if (failWrites) {
      return 0;
    }
    values[std::string(entry)] = std::string(value);
    return 1;
  }

  std::map<std::string, Value> values;
  std::vector<std::string> writes;
  bool failWrites = false;
};
