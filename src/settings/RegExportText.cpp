#include "settings/RegExportText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr std::string_view kSignature = "REGEDIT4";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
    s.remove_prefix(1);
  }
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
    s.remove_suffix(1);
  }
  return s;
}

// Reads a quoted, escaped string at the start of text; returns its decoded value and the
// number of characters it took, or nothing when it is not a well-formed quoted string.
std::optional<std::pair<std::string, std::size_t>> ReadQuoted(std::string_view text) {
  if (text.empty() || text.front() != '"') {
    return std::nullopt;
  }
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      return std::make_pair(out, i + 1);
    }
    if (c == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
        return std::nullopt;
      }
      out.push_back(text[++i]);
    } else {
      out.push_back(c);
    }
  }
  return std::nullopt;
}

// Splits a value line into its name and the text after '='; nothing for other lines.
std::optional<std::pair<std::string, std::string_view>> SplitValueLine(std::string_view line) {
  const auto name = ReadQuoted(line);
  if (!name) {
    return std::nullopt;
  }
  std::string_view rest = line.substr(name->second);
  if (rest.empty() || rest.front() != '=') {
    return std::nullopt;
  }
  return std::make_pair(name->first, Trim(rest.substr(1)));
}

std::optional<std::uint32_t> ParseDword(std::string_view data) {
  constexpr std::string_view kPrefix = "dword:";
  if (data.size() <= kPrefix.size() || !EqualsNoCase(data.substr(0, kPrefix.size()), kPrefix)) {
    return std::nullopt;
  }
  const std::string_view digits = data.substr(kPrefix.size());
  if (digits.size() > 8) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (const char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) {
      return std::nullopt;
    }
    const int digit = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::string ValueLine(std::string_view name, std::string_view data) {
  return "\"" + EscapeRegString(name) + "\"=" + std::string(data);
}

}  // namespace

std::string EscapeRegString(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    if (c == '\\' || c == '"') {
      out.push_back('\\');
    }
    out.push_back(c);
  }
  return out;
}

std::optional<std::string> UnescapeRegString(std::string_view quoted) {
  const auto read = ReadQuoted(quoted);
  if (!read || !Trim(quoted.substr(read->second)).empty()) {
    return std::nullopt;
  }
  return read->first;
}

CRegExportText::CRegExportText(std::string_view text) {
  std::string currentKey;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') {
      raw.remove_suffix(1);
    }
    Line line;
    line.text = std::string(raw);
    const std::string_view trimmed = Trim(raw);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      currentKey = std::string(Trim(trimmed.substr(1, trimmed.size() - 2)));
      line.isHeader = true;
    } else if (const auto value = SplitValueLine(trimmed)) {
      line.isValue = true;
      line.name = value->first;
    }
    line.key = currentKey;
    m_lines.push_back(std::move(line));
  }
}

const CRegExportText::Line* CRegExportText::FindLast(std::string_view keyPath,
                                                     std::string_view name) const {
  for (auto it = m_lines.rbegin(); it != m_lines.rend(); ++it) {
    if (it->isValue && EqualsNoCase(it->key, keyPath) && EqualsNoCase(it->name, name)) {
      return &*it;
    }
  }
  return nullptr;
}

std::optional<std::uint32_t> CRegExportText::ReadDword(std::string_view keyPath,
                                                       std::string_view name) const {
  const Line* line = FindLast(keyPath, name);
  if (line == nullptr) {
    return std::nullopt;
  }
  return ParseDword(SplitValueLine(Trim(line->text))->second);
}

std::optional<std::string> CRegExportText::ReadString(std::string_view keyPath,
                                                      std::string_view name) const {
  const Line* line = FindLast(keyPath, name);
  if (line == nullptr) {
    return std::nullopt;
  }
  return UnescapeRegString(SplitValueLine(Trim(line->text))->second);
}

void CRegExportText::SetDword(std::string_view keyPath, std::string_view name,
                              std::uint32_t value) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<unsigned>(value));
  SetLine(keyPath, name, ValueLine(name, hex));
}

bool CRegExportText::SetString(std::string_view keyPath, std::string_view name,
                               std::string_view value) {
  // Only a line feed ends a line for the reader; a carriage return inside the quotes is text
  // that it reads back as it was.
  if (value.find('\n') != std::string_view::npos) {
    return false;
  }
  SetLine(keyPath, name, ValueLine(name, "\"" + EscapeRegString(value) + "\""));
  return true;
}

void CRegExportText::SetLine(std::string_view keyPath, std::string_view name, std::string text) {
  const auto matches = [&](const Line& l) {
    return l.isValue && EqualsNoCase(l.key, keyPath) && EqualsNoCase(l.name, name);
  };
  Line line{std::move(text), std::string(keyPath), std::string(name), true, false};

  // Replace the first occurrence and drop the others, so the value is stated exactly once.
  const auto first = std::find_if(m_lines.begin(), m_lines.end(), matches);
  if (first != m_lines.end()) {
    *first = std::move(line);
    m_lines.erase(std::remove_if(std::next(first), m_lines.end(), matches), m_lines.end());
    return;
  }

  // Otherwise append it to the last block of this key, after that block's last value.
  for (auto it = m_lines.rbegin(); it != m_lines.rend(); ++it) {
    if ((it->isValue || it->isHeader) && EqualsNoCase(it->key, keyPath)) {
      m_lines.insert(it.base(), std::move(line));
      return;
    }
  }

  // No block for this key yet: start the file if it is empty, then a new block.
  if (m_lines.empty()) {
    m_lines.push_back(Line{std::string(kSignature), "", "", false, false});
  }
  if (!Trim(m_lines.back().text).empty()) {
    m_lines.push_back(Line{"", m_lines.back().key, "", false, false});
  }
  m_lines.push_back(Line{HeaderFor(keyPath), std::string(keyPath), "", false, true});
  m_lines.push_back(std::move(line));
}

std::string CRegExportText::Text() const {
  std::string out;
  for (const Line& line : m_lines) {
    out += line.text;
    out += '\n';
  }
  return out;
}

std::string CRegExportText::HeaderFor(std::string_view keyPath) {
  return "[" + std::string(keyPath) + "]";
}
