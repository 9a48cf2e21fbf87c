#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

#include "panel/WatcherStatus.h"
#include "panel/WatcherSwitch.h"

// Whether a watcher holds the session's lock file, and what it wrote there: a reader that can
// share the lock knows none runs. A missing or unreadable file means none runs.
SWatcherStatus ProbeWatcher(const std::filesystem::path& lockFile);

// systemd's user manager, asked through systemctl; a program that cannot be started, or that
// does not answer within a few seconds, is a manager that does not answer.
class CSystemctlManager : public IServiceManager {
 public:
  explicit CSystemctlManager(QString program = QStringLiteral("systemctl"))
      : m_program(std::move(program)) {}
  bool Answers() override;
  bool EnableNow() override;
  bool DisableNow() override;

 private:
  bool Run(const QStringList& arguments, QString* output = nullptr);
  QString m_program;
};

// The watcher started by the panel itself, left to run on its own when the panel ends.
class CWatcherProgram : public IWatcherProcess {
 public:
  CWatcherProgram(QString program, std::filesystem::path lockFile)
      : m_program(std::move(program)), m_lockFile(std::move(lockFile)) {}
  bool Runs() override { return ProbeWatcher(m_lockFile).runs; }
  bool Start() override;

 private:
  QString m_program;
  std::filesystem::path m_lockFile;
};
