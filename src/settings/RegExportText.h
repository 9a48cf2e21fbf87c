#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a registry export ("REGEDIT4", [key] headers, "Name"=dword:0000001e and
// "Name"="text" lines), read and edited without losing anything: lines it does not
// understand, other keys and other values are kept exactly as they were.
//
// Key paths and value names compare without regard to ASCII case, as the registry does.
// When a value appears more than once the last one counts, as an import would leave it.
class CRegExportText {
 public:
  explicit CRegExportText(std::string_view text);

  // Empty when the value is absent, has another type or its line is garbled.
  std::optional<std::uint32_t> ReadDword(std::string_view keyPath, std::string_view name) const;
  std::optional<std::string> ReadString(std::string_view keyPath, std::string_view name) const;

  void SetDword(std::string_view keyPath, std::string_view name, std::uint32_t value);
  // False, and nothing changed, for text that one line cannot hold (a line feed).
  bool SetString(std::string_view keyPath, std::string_view name, std::string_view value);

  std::string Text() const;

  static std::string HeaderFor(std::string_view keyPath);

 private:
  struct Line {
    std::string text;
    std::string key;   // the key path of the header above this line, empty before any header
    std::string name;  // the value's name when the line is a value line, else empty
    bool isValue = false;
    bool isHeader = false;
  };

  const Line* FindLast(std::string_view keyPath, std::string_view name) const;
  void SetLine(std::string_view keyPath, std::string_view name, std::string line);

  std::vector<Line> m_lines;
};

// The value part of a line, decoded; exposed for tests of the escaping rules.
std::string EscapeRegString(std::string_view value);
std::optional<std::string> UnescapeRegString(std::string_view quoted);
