#pragma once

#include <QDialog>
#include <QProcess>
#include <filesystem>
#include <functional>
#include <string>

#include "panel/PanelModel.h"
#include "panel/WatcherStatus.h"
#include "settings/SaverSettings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class CPanelPreview;

// What the panel window runs and reads besides its model.
struct SPanelPrograms {
  QString sheet;                       // the settings sheet
  QString saver;                       // the saver, run with /s
  std::filesystem::path settingsFile;  // the saver's settings, which the sheet writes
  std::function<SWatcherStatus()> probeWatcher;
  std::function<SaverSettings()> loadSettings;
};

// The screen-saver panel: the live preview, the sheet and the saver one button away, when the
// saver starts and when the screen locks, OK, Cancel and Apply over the panel's model.
class CPanelWindow : public QDialog {
 public:
  CPanelWindow(CPanelModel& model, SPanelPrograms programs, QWidget* parent = nullptr);

  CPanelPreview& Preview() { return *m_preview; }
  QPushButton& SettingsButton() { return *m_settings; }
  QPushButton& ApplyButton() { return *m_apply; }

  // Reads the watcher's state again and shows it.
  void RefreshWatcher();
  void accept() override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ShowModel();
  void FollowControls();
  bool ApplyChanges();
  void OpenSheet();
  void SheetEnded();
  void RunSaver();
  void Warn(const QString& text);

  CPanelModel& m_model;
  SPanelPrograms m_programs;
  SWatcherLines m_lines;
  std::string m_settingsBeforeSheet;
  QProcess m_sheet;

  CPanelPreview* m_preview = nullptr;
  QPushButton* m_settings = nullptr;
  QPushButton* m_runSaver = nullptr;
  QCheckBox* m_watcherOn = nullptr;
  QSpinBox* m_wait = nullptr;
  QCheckBox* m_lock = nullptr;
  QSpinBox* m_lockDelay = nullptr;
  QLabel* m_lockerLine = nullptr;
  QLabel* m_statusLine = nullptr;
  QPushButton* m_apply = nullptr;
};
