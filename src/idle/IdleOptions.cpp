#include "idle/IdleOptions.h"

#include <charconv>
#include <string_view>

namespace {

std::optional<std::uint32_t> ParseSeconds(std::string_view text, std::uint32_t lowest) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  // from_chars takes no sign and no space, which is what a count of seconds should refuse.
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end)
    return std::nullopt;
  if (value < lowest || value > SIdleSettings::kMaxSeconds)
    return std::nullopt;
  return value;
}

SIdleOptions Failed(std::string message) {
  SIdleOptions options;
  options.action = SIdleOptions::EAction::Error;
  options.error = std::move(message);
  return options;
}

}  // namespace

SIdleSettings SIdleOptions::Apply(SIdleSettings stored) const {
  if (waitSeconds)
    stored.waitSeconds = *waitSeconds;
  if (lockAfterSeconds) {
    stored.lock = true;
    stored.lockDelaySeconds = *lockAfterSeconds;
  }
  return stored;
}

SIdleOptions ParseIdleOptions(const std::vector<std::string>& arguments) {
  SIdleOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.action = SIdleOptions::EAction::Help;
      return options;
    }
    if (argument == "--version") {
      options.action = SIdleOptions::EAction::Version;
      return options;
    }
    std::string_view name = argument;
    std::optional<std::string_view> value;
    if (const auto equals = argument.find('='); equals != std::string_view::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    if (name != "--wait" && name != "--lock-after" && name != "--lock-command") {
      return Failed("unknown option '" + std::string(argument) + "'");
    }
    if (!value) {
      if (i + 1 == arguments.size())
        return Failed(std::string(name) + " needs a value");
      value = arguments[++i];
    }
    if (name == "--lock-command") {
      if (value->empty())
        return Failed("--lock-command needs a command");
      options.lockCommand = std::string(*value);
      continue;
    }
    const bool isWait = name == "--wait";
    const auto seconds = ParseSeconds(*value, isWait ? 1 : 0);
    if (!seconds) {
      return Failed(std::string(name) + " takes whole seconds from " + (isWait ? "1" : "0") +
                    " to 86400, not '" + std::string(*value) + "'");
    }
    (isWait ? options.waitSeconds : options.lockAfterSeconds) = seconds;
  }
  return options;
}

std::string IdleUsage() {
  return "Usage: spirandel-idle [OPTION]...\n"
         "Start the Spirandel screen saver when the session has been idle for a while.\n"
         "\n"
         "  --wait SECONDS          start after this many idle seconds (stored: "
         "ScreenSaveTimeOut)\n"
         "  --lock-after SECONDS    have the desktop's locker lock the session this many\n"
         "                          seconds after the saver starts\n"
         "  --lock-command CMD      lock with this command (run by /bin/sh), for example\n"
         "                          'swaylock -f'\n"
         "  -h, --help              show this help and exit\n"
         "      --version           show the version and exit\n"
         "\n"
         "The stored settings are in $XDG_CONFIG_HOME/tallowyn/spir_ss/Desktop.reg; a change\n"
         "there takes effect at once. Exit status: 0 at the session's end, 1 when the session\n"
         "cannot be watched, 2 for a bad option.\n";
}
