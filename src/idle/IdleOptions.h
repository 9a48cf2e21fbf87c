#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "idle/IdleSettings.h"

// The watcher's command line: overrides of the stored settings for one run.
struct SIdleOptions {
  enum class EAction { Watch, Help, Version, Error };
  EAction action = EAction::Watch;
  std::optional<std::uint32_t> waitSeconds;
  std::optional<std::uint32_t> lockAfterSeconds;
  std::optional<std::string> lockCommand;
  // For EAction::Error: what was wrong, one line.
  std::string error;

  // The stored settings with this run's overrides: a lock delay turns the lock on.
  SIdleSettings Apply(SIdleSettings stored) const;
};

// Takes "--wait 60" and "--wait=60" alike; seconds are plain decimal digits, the wait 1 to a
// day, the lock delay 0 to a day.
SIdleOptions ParseIdleOptions(const std::vector<std::string>& arguments);

// What --help prints.
std::string IdleUsage();
