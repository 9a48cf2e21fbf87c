// spirandel-panel: the screen saver's panel, with a live preview of the figure, when the
// saver starts by itself and when the screen locks, and the settings sheet one button away.
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/AutostartEntry.h"
#include "panel/PanelModel.h"
#include "platform/posix/InstanceLock.h"
#include "platform/posix/RegFileStore.h"
#include "platform/qt/PanelPreview.h"
#include "platform/qt/PanelSession.h"
#include "platform/qt/PanelWindow.h"
#include "settings/SaverSettings.h"

namespace {

constexpr char kUsage[] =
    "Usage: spirandel-panel\n"
    "Shows the Spirandel screen saver's panel: a live preview, when the saver starts by\n"
    "itself (the idle watcher, spirandel-idle) and when the screen locks, the settings\n"
    "sheet (Settings...) and the saver itself (Preview).\n"
    "OK and Apply write the watcher's settings; Cancel and Escape write nothing.\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n"
    "Settings: $XDG_CONFIG_HOME/tallowyn/spir_ss/Desktop.reg and Settings.reg\n"
    "(~/.config when unset)\n";

// A program installed beside this one (bin/, or the build tree), else whichever PATH names.
QString Sibling(const char* name) {
  const QString beside = QCoreApplication::applicationDirPath() + '/' + QLatin1String(name);
  return QFileInfo(beside).isExecutable() ? beside : QString::fromLatin1(name);
}

// The watcher's lock file, named as the watcher names it.
std::filesystem::path WatcherLockFile() {
  std::string display;
  for (const char* name : {"WAYLAND_DISPLAY", "DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      display = value;
      break;
    }
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/')
    return InstanceLockFile(runtime, display);
  return InstanceLockFile(std::filesystem::temp_directory_path(),
                          std::to_string(getuid()) + "-" + display);
}

// For the tests only: SPIRANDEL_PANEL_SEED=seed[:ticks] draws every preview from that seed,
// stopping after that many ticks, and says where the preview is.
bool FixedSeed(std::uint32_t& seed, long long& ticks) {
  const char* value = std::getenv("SPIRANDEL_PANEL_SEED");
  if (!value || !*value)
    return false;
  char* end = nullptr;
  seed = static_cast<std::uint32_t>(std::strtoul(value, &end, 10));
  ticks = *end == ':' ? std::strtoll(end + 1, nullptr, 10) : -1;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::puts("spirandel-panel " SPIRANDEL_VERSION);
    return 0;
  }
  if (argc > 1) {
    std::fprintf(stderr, "spirandel-panel: unknown option %s\nTry 'spirandel-panel --help'.\n",
                 argv[1]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("spirandel-panel: no display (DISPLAY is not set)\n", stderr);
    return 1;
  }
  // On X11 Qt waits for the server after every flush from shared memory before it paints
  // again: a round trip per tick of the preview, for a change of a few pixels that costs less
  // sent in the request itself. Only this process's own connection: its children get their
  // environment back.
  const bool ownShm = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
  if (ownShm)
    qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication application(argc, argv);
  if (ownShm)
    qunsetenv("QT_XCB_NO_MITSHM");
  const std::filesystem::path configHome = UserConfigHome();
  CRegFileStore store(configHome);
  const std::filesystem::path lockFile = WatcherLockFile();

  CSystemctlManager manager;
  CAutostartEntry autostart(configHome);
  CWatcherProgram watcher(Sibling("spirandel-idle"), lockFile);
  CWatcherSwitch watcherSwitch(manager, autostart, watcher);
  CPanelModel model(store, watcherSwitch);
  model.Load(ProbeWatcher(lockFile).runs);

  SPanelPrograms programs;
  programs.sheet = Sibling("spirandel-settings");
  programs.saver = Sibling("spirandel");
  programs.settingsFile = store.SectionFile(kSettingsSection).value_or("");
  programs.probeWatcher = [lockFile] { return ProbeWatcher(lockFile); };
  programs.loadSettings = [&store] {
    SaverSettings settings(&store);
    settings.LoadSettings();
    return settings;
  };

  std::uint32_t seed = 0;
  long long ticks = -1;
  const bool fixed = FixedSeed(seed, ticks);
  CPanelWindow window(model, programs);
  if (fixed) {
    window.Preview().FixSeed(seed, ticks);
    window.Preview().Restart(programs.loadSettings());
  }
  window.show();
  if (fixed) {
    QTimer::singleShot(0, &window, [&window] {
      // On the screen where the display system says (X11), and in the window (Wayland, which
      // keeps where windows are from their clients).
      const QPoint at = window.Preview().mapToGlobal(QPoint(0, 0));
      const QPoint inWindow = window.Preview().mapTo(&window, QPoint(0, 0));
      std::printf("preview %d %d %d %d %d %d\n", at.x(), at.y(), window.Preview().width(),
                  window.Preview().height(), inWindow.x(), inWindow.y());
      std::fflush(stdout);
    });
  }
  window.exec();
  return 0;
}
