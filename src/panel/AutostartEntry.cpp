#include "panel/AutostartEntry.h"

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace {

constexpr char kHiddenOverride[] =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=Spirandel Idle Watcher\n"
    "Exec=spirandel-idle\n"
    "Hidden=true\n";

// Only the main group counts; keys are case-sensitive and "Hidden = true" is not a valid line.
bool SaysHidden(std::istream& in) {
  std::string line;
  bool inMainGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (!line.empty() && line.front() == '[')
      inMainGroup = line == "[Desktop Entry]";
    else if (inMainGroup && line == "Hidden=true")
      return true;
  }
  return false;
}

}  // namespace

CAutostartEntry::CAutostartEntry(const std::filesystem::path& configHome)
    : m_file(configHome / "autostart" / "spirandel-idle.desktop") {}

bool CAutostartEntry::Enabled() const {
  std::ifstream in(m_file);
  return !in || !SaysHidden(in);
}

bool CAutostartEntry::SetEnabled(bool enabled) {
  std::error_code error;
  if (enabled) {
    if (Enabled())
      return true;
    std::filesystem::remove(m_file, error);
    return !error;
  }
  if (!Enabled())
    return true;
  std::filesystem::create_directories(m_file.parent_path(), error);
  if (error)
    return false;
  std::ofstream out(m_file, std::ios::trunc);
  out << kHiddenOverride;
  out.close();
  return static_cast<bool>(out);
}
