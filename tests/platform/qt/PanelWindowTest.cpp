#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <set>

#include "FakeProfileStore.h"
#include "platform/qt/PanelPreview.h"
#include "platform/qt/PanelSession.h"
#include "platform/qt/PanelWindow.h"

namespace {

class CNoManager : public IServiceManager, public IWatcherProcess {
 public:
  bool Answers() override { return false; }
  bool EnableNow() override { return false; }
  bool DisableNow() override { return false; }
  bool Runs() override { return true; }
  bool Start() override { return true; }
};

// The panel as the program opens it, over a store in memory and a watcher that runs.
class PanelWindowTest : public testing::Test {
 protected:
  PanelWindowTest() {
    m_model.Load(true);
    SPanelPrograms programs;
    programs.probeWatcher = [] { return ParseWatcherStatus("pid: 1\nsource: X11\nlockers: \n"); };
    programs.loadSettings = [] { return SaverSettings(); };
    m_window = std::make_unique<CPanelWindow>(m_model, programs);
    m_window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
  }
  template <typename T>
  T* Control(const char* text) {
    for (T* control : m_window->findChildren<T*>())
      if (control->text() == text || control->accessibleName() == text)
        return control;
    ADD_FAILURE() << text;
    return nullptr;
  }
  // Answers the message box the next step opens, noting its text.
  void AnswerMessage() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        m_message = box->text();
        box->accept();
      }
    });
  }

  CFakeProfileStore m_store;
  CNoManager m_services;
  CAutostartEntry m_autostart{std::filesystem::temp_directory_path() / "panel-window-test"};
  CWatcherSwitch m_switch{m_services, m_autostart, m_services};
  CPanelModel m_model{m_store, m_switch};
  std::unique_ptr<CPanelWindow> m_window;
  QString m_message;
};

TEST_F(PanelWindowTest, EveryControlHasAnAcceleratorOrNameAndTabReachesThemAll) {
  std::set<QChar> accelerators;
  std::vector<QWidget*> reached;
  QWidget* first = Control<QPushButton>("Se&ttings...");
  first->setFocus();
  QWidget* at = first;
  do {
    reached.push_back(at);
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
  } while (at != first && reached.size() < 20);
  // Settings, Preview, Start when idle, Wait, OK, Cancel; the lock is off without a locker.
  EXPECT_EQ(reached.size(), 6u);
  for (QWidget* control : reached) {
    QString text = control->accessibleName();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
      text = button->text();
    EXPECT_FALSE(text.isEmpty()) << control->metaObject()->className();
    const qsizetype amp = text.indexOf('&');
    if (amp >= 0) {
      EXPECT_TRUE(accelerators.insert(text[amp + 1].toLower()).second) << text.toStdString();
    }
  }
  EXPECT_FALSE(Control<QCheckBox>("&Lock the screen after")->isEnabled());
}

TEST_F(PanelWindowTest, CancelWritesNothingAndARefusingStoreKeepsThePanelOpen) {
  Control<QSpinBox>("Wait in minutes")->setValue(3);
  EXPECT_TRUE(m_window->ApplyButton().isEnabled());
  m_window->reject();
  EXPECT_TRUE(m_store.writes.empty());

  m_window->show();
  m_store.failWrites = true;
  AnswerMessage();
  m_window->accept();
  EXPECT_TRUE(m_message.startsWith("The settings could not be saved")) << m_message.toStdString();
  EXPECT_TRUE(m_window->isVisible());
  EXPECT_EQ(Control<QSpinBox>("Wait in minutes")->value(), 3);
  m_store.failWrites = false;
  m_window->accept();
  EXPECT_FALSE(m_window->isVisible());
  EXPECT_EQ(std::get<std::uint32_t>(m_store.values["ScreenSaveTimeOut"]), 180u);
}

TEST_F(PanelWindowTest, PreviewDrawsOnlyWhileShown) {
  CPanelPreview& preview = m_window->Preview();
  QTRY_VERIFY(!preview.Paused());
  QTRY_VERIFY(preview.Ticks() > 2);
  // Every tick's change is in the window's pixels at once, opaque, where the preview is.
  const auto* shown = static_cast<const QImage*>(m_window->backingStore()->paintDevice());
  const QPoint at = preview.mapTo(m_window.get(), QPoint(0, 0)) * shown->devicePixelRatio();
  const CRasterCanvas& canvas = *preview.Canvas();
  int differ = 0;
  bool lit = false;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const std::uint32_t pixel = canvas.Pixels()[y * canvas.Width() + x];
      lit = lit || pixel != 0;
      differ += shown->pixel(at + QPoint(x, y)) != (pixel | 0xFF000000u);
    }
  }
  EXPECT_TRUE(lit);
  EXPECT_EQ(differ, 0);
  m_window->hide();
  EXPECT_TRUE(preview.Paused());
  const long long ticks = preview.Ticks();
  QTest::qWait(200);
  EXPECT_EQ(preview.Ticks(), ticks);
}

// systemctl stood in by a script that prints $ANSWER and exits with $CODE.
TEST(PanelSystemctlTest, CountsOnlyALoadedUnitAndAZeroExit) {
  const auto folder = std::filesystem::temp_directory_path() / "panel-systemctl-test";
  std::filesystem::create_directories(folder);
  const auto program = folder / "systemctl";
  std::ofstream(program) << "#!/bin/sh\necho \"$ANSWER\"\nexit \"$CODE\"\n";
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  const struct {
    const char* answer;
    const char* code;
    bool answers, obeys;
  } cases[] = {
      {"loaded", "0", true, true}, {"loaded", "1", false, false}, {"not-found", "0", false, true}};
  for (const auto& c : cases) {
    qputenv("ANSWER", c.answer);
    qputenv("CODE", c.code);
    CSystemctlManager manager(QString::fromStdString(program.string()));
    EXPECT_EQ(manager.Answers(), c.answers) << c.answer << " " << c.code;
    EXPECT_EQ(manager.EnableNow(), c.obeys) << c.answer << " " << c.code;
    EXPECT_EQ(manager.DisableNow(), c.obeys) << c.answer << " " << c.code;
  }
  CSystemctlManager missing(QString::fromStdString((folder / "none").string()));
  EXPECT_FALSE(missing.Answers());
  EXPECT_FALSE(missing.EnableNow());
  std::filesystem::remove_all(folder);
}

}  // namespace
