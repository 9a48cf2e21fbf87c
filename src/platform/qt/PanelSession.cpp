#include "platform/qt/PanelSession.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QProcess>
#include <string>

namespace {

constexpr int kManagerWaitMs = 5000;
constexpr char kUnit[] = "spirandel-idle.service";
// The watcher writes a few lines; more than this is not its.
constexpr std::size_t kLongestStatus = 4096;

}  // namespace

SWatcherStatus ProbeWatcher(const std::filesystem::path& lockFile) {
  const int fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return {};
  if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
    flock(fd, LOCK_UN);
    close(fd);
    return {};
  }
  std::string text(kLongestStatus, '\0');
  const ssize_t got = read(fd, text.data(), text.size());
  close(fd);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return ParseWatcherStatus(text);
}

bool CSystemctlManager::Run(const QStringList& arguments, QString* output) {
  QProcess process;
  process.start(m_program, QStringList{QStringLiteral("--user")} + arguments);
  if (!process.waitForFinished(kManagerWaitMs)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  if (output)
    *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool CSystemctlManager::Answers() {
  QString loadState;
  return Run({QStringLiteral("show"), QStringLiteral("--property=LoadState"),
              QStringLiteral("--value"), QLatin1String(kUnit)},
             &loadState) &&
         loadState == QLatin1String("loaded");
}

bool CSystemctlManager::EnableNow() {
  return Run({QStringLiteral("enable"), QStringLiteral("--now"), QLatin1String(kUnit)});
}

bool CSystemctlManager::DisableNow() {
  return Run({QStringLiteral("disable"), QStringLiteral("--now"), QLatin1String(kUnit)});
}

bool CWatcherProgram::Start() {
  return QProcess::startDetached(m_program, {});
}
