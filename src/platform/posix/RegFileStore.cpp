#include "platform/posix/RegFileStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "settings/RegTextStore.h"

namespace fs = std::filesystem;

namespace {

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

fs::path UserConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    return fs::path(xdg);
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return fs::path(home) / ".config";
  }
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return fs::path(entry->pw_dir) / ".config";
  }
  return {};
}

int ReplaceFileAtomically(const fs::path& path, std::string_view text) {
  std::string tempName = (path.parent_path() / ("." + path.filename().string() + ".XXXXXX"));
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) {
    return 0;
  }
  // Keep the permissions the user gave the old file; a new file gets the usual ones.
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const bool ok = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || ::rename(tempName.c_str(), path.c_str()) != 0) {
    ::unlink(tempName.c_str());
    return 0;
  }
  return 1;
}

CRegFileStore::CRegFileStore(fs::path configHome)
    : m_appFolder(configHome.empty()
                      ? fs::path()
                      : configHome / std::string(kMakerKey) / std::string(kApplicationTitle)) {}

std::optional<fs::path> CRegFileStore::SectionFile(std::string_view section) const {
  if (m_appFolder.empty() || !IsPlainFileName(section)) {
    return std::nullopt;
  }
  return m_appFolder / (std::string(section) + ".reg");
}

std::optional<std::string> CRegFileStore::OpenAndRead(std::string_view section) const {
  const auto file = SectionFile(section);
  if (!file) {
    return std::nullopt;
  }
  std::error_code error;
  fs::create_directories(m_appFolder, error);
  if (!fs::exists(*file, error) && !error) {
    const std::string fresh =
        "REGEDIT4\n\n" + CRegExportText::HeaderFor(SettingsKeyPath(section)) + "\n";
    if (ReplaceFileAtomically(*file, fresh) == 0) {
      return std::nullopt;
    }
  }
  if (!fs::is_regular_file(*file, error)) {
    return std::nullopt;
  }
  std::ifstream in(*file, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    return std::nullopt;
  }
  return text.str();
}

std::uint32_t CRegFileStore::GetProfileInt(std::string_view section, std::string_view entry,
                                           std::uint32_t defaultValue) {
  const auto text = OpenAndRead(section);
  if (!text) {
    return defaultValue;
  }
  return CRegExportText(*text).ReadDword(SettingsKeyPath(section), entry).value_or(defaultValue);
}

std::string CRegFileStore::GetProfileString(std::string_view section, std::string_view entry,
                                            std::string_view defaultValue) {
  const auto text = OpenAndRead(section);
  if (!text) {
    return std::string(defaultValue);
  }
  return CRegExportText(*text)
      .ReadString(SettingsKeyPath(section), entry)
      .value_or(std::string(defaultValue));
}

int CRegFileStore::WriteProfileInt(std::string_view section, std::string_view entry,
                                   std::uint32_t value) {
  return Edit(section, [&](CRegExportText& text) {
    text.SetDword(SettingsKeyPath(section), entry, value);
    return true;
  });
}

int CRegFileStore::WriteProfileString(std::string_view section, std::string_view entry,
                                      std::string_view value) {
  return Edit(section, [&](CRegExportText& text) {
    return text.SetString(SettingsKeyPath(section), entry, value);
  });
}

int CRegFileStore::Edit(std::string_view section,
                        const std::function<bool(CRegExportText&)>& edit) {
  // A file that cannot be read is left alone: writing our one value over it would lose
  // everything else it holds.
  const auto old = OpenAndRead(section);
  if (!old) {
    return 0;
  }
  CRegExportText text(*old);
  if (!edit(text)) {
    return 0;
  }
  return ReplaceFileAtomically(*SectionFile(section), text.Text());
}
