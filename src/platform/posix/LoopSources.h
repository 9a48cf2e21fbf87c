#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/posix/PolledSource.h"

// The ending signals, SIGTERM, SIGINT and SIGHUP, as a descriptor: they are blocked from the
// constructor on and end the loop when they come. SIGPIPE is ignored: a bus or a compositor
// that went away is a connection's error, not the end of the process.
class CEndingSignals : public IPolledSource {
 public:
  CEndingSignals();
  ~CEndingSignals() override;
  CEndingSignals(const CEndingSignals&) = delete;
  CEndingSignals& operator=(const CEndingSignals&) = delete;

  int Fd() const override { return m_fd; }
  bool Process(short revents) override;
  // The signal that ended the loop, or 0.
  int Received() const { return m_received; }

 private:
  int m_fd = -1;
  int m_received = 0;
};

// A deadline and what to do when it passes; no descriptor of its own.
class CTimer : public IPolledSource {
 public:
  explicit CTimer(std::function<void()> onExpiry) : m_onExpiry(std::move(onExpiry)) {}
  void Start(std::chrono::steady_clock::duration after);
  void Cancel() { m_due.reset(); }
  bool Running() const { return m_due.has_value(); }

  int Fd() const override { return -1; }
  std::optional<TimePoint> Deadline() const override { return m_due; }
  bool Process(short revents) override;

 private:
  std::function<void()> m_onExpiry;
  std::optional<TimePoint> m_due;
};

// Changes to one file in a folder, written in place or renamed over, as the settings store
// does; the folder must exist. Without inotify (or the folder) Fd() is -1 and nothing is heard.
class CFileWatch : public IPolledSource {
 public:
  CFileWatch(const std::filesystem::path& file, std::function<void()> onChange);
  ~CFileWatch() override;
  CFileWatch(const CFileWatch&) = delete;
  CFileWatch& operator=(const CFileWatch&) = delete;

  int Fd() const override { return m_fd; }
  bool Process(short revents) override;

 private:
  std::string m_name;
  std::function<void()> m_onChange;
  int m_fd = -1;
};
