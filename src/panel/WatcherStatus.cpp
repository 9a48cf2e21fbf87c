#include "panel/WatcherStatus.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitLockers(std::string_view list) {
  std::vector<std::string> lockers;
  while (!list.empty()) {
    const std::size_t end = list.find(';');
    const std::string_view one = Trimmed(list.substr(0, end));
    if (!one.empty())
      lockers.emplace_back(one);
    if (end == std::string_view::npos)
      break;
    list.remove_prefix(end + 1);
  }
  return lockers;
}

}  // namespace

SWatcherStatus ParseWatcherStatus(std::string_view text) {
  SWatcherStatus status;
  status.runs = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
      continue;
    const std::string_view key = Trimmed(line.substr(0, colon));
    const std::string_view value = Trimmed(line.substr(colon + 1));
    if (key == "source" && !value.empty()) {
      status.source = value;
    } else if (key == "lockers") {
      status.lockers = SplitLockers(value);
      status.lockersSaid = true;
    }
  }
  return status;
}

SWatcherLines DescribeWatcher(const SWatcherStatus& status) {
  SWatcherLines lines;
  if (!status.runs) {
    lines.status = "The idle watcher is not running.";
    lines.locker = "The watcher finds the desktop's locker when it runs.";
    return lines;
  }
  lines.status = status.source.empty() ? "The idle watcher runs."
                                       : "The idle watcher runs, using " + status.source + ".";
  if (!status.lockersSaid) {
    lines.locker = "The watcher has not yet said which locker it found.";
  } else if (status.lockers.empty()) {
    lines.locker = "No screen locker answers on this desktop.";
    lines.canLock = false;
  } else {
    lines.locker = "Locks with " + status.lockers.front() + ".";
  }
  return lines;
}
