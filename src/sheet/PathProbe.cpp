#include "sheet/PathProbe.h"

#include <filesystem>
#include <system_error>

PathKind CFileSystemProbe::Probe(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(
      std::filesystem::path(std::u8string(path.begin(), path.end())), error);
  switch (status.type()) {
    case std::filesystem::file_type::directory:
      return PathKind::kDirectory;
    case std::filesystem::file_type::not_found:
      return PathKind::kMissing;
    case std::filesystem::file_type::none:
    case std::filesystem::file_type::unknown:
      return PathKind::kLookupFailed;
    default:
      return PathKind::kNotDirectory;
  }
}
