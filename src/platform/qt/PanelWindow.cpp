#include "platform/qt/PanelWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <fstream>
#include <sstream>

#include "panel/PanelTexts.h"
#include "platform/qt/PanelPreview.h"
#include "platform/qt/QtDialogFont.h"

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The README's pictures' size: a drawing area of 320 by 240 inside the one-pixel frame.
constexpr int kPreviewWidth = 322;
constexpr int kPreviewHeight = 242;

}  // namespace

CPanelWindow::CPanelWindow(CPanelModel& model, SPanelPrograms programs, QWidget* parent)
    : QDialog(parent), m_model(model), m_programs(std::move(programs)) {
  setWindowTitle(Text(PanelTexts::kCaption));
  setFont(PageDialogFont());
  BuildControls();
  ShowModel();
  RefreshWatcher();
  m_preview->Restart(m_programs.loadSettings());
  QObject::connect(&m_sheet, &QProcess::finished, this, [this] { SheetEnded(); });
  QObject::connect(&m_sheet, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
      m_settings->setEnabled(true);
      Warn(Text(PanelTexts::kCannotRun).arg(m_programs.sheet));
    }
  });
}

void CPanelWindow::BuildControls() {
  m_preview = new CPanelPreview(this);
  m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
  m_settings = new QPushButton(Text(PanelTexts::kSettings), this);
  m_runSaver = new QPushButton(Text(PanelTexts::kRunSaver), this);
  m_watcherOn = new QCheckBox(Text(PanelTexts::kWatcherOn), this);
  auto* waitLabel = new QLabel(Text(PanelTexts::kWait), this);
  m_wait = new QSpinBox(this);
  m_lock = new QCheckBox(Text(PanelTexts::kLock), this);
  m_lockDelay = new QSpinBox(this);
  m_lockerLine = new QLabel(this);
  m_statusLine = new QLabel(this);
  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  m_apply = buttons->button(QDialogButtonBox::Apply);

  waitLabel->setBuddy(m_wait);
  m_wait->setRange(1, CPanelModel::kMostMinutes);
  m_lockDelay->setRange(0, CPanelModel::kMostMinutes);
  for (QSpinBox* box : {m_wait, m_lockDelay}) {
    box->setSuffix(Text(PanelTexts::kMinutes));
    QObject::connect(box, &QSpinBox::valueChanged, box, [box](int minutes) {
      box->setSuffix(Text(minutes == 1 ? PanelTexts::kMinute : PanelTexts::kMinutes));
    });
  }
  m_wait->setAccessibleName(Text(PanelTexts::kWaitName));
  m_lockDelay->setAccessibleName(Text(PanelTexts::kLockDelayName));
  m_lockerLine->setWordWrap(true);
  m_statusLine->setWordWrap(true);
  m_statusLine->setAccessibleName(QStringLiteral("Idle watcher status"));
  m_lockerLine->setAccessibleName(QStringLiteral("Screen locker"));

  auto* programRow = new QHBoxLayout;
  programRow->addWidget(m_settings);
  programRow->addWidget(m_runSaver);
  programRow->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(m_watcherOn, 0, 0);
  grid->addWidget(waitLabel, 0, 1, Qt::AlignRight);
  grid->addWidget(m_wait, 0, 2);
  grid->addWidget(m_lock, 1, 0, 1, 2);
  grid->addWidget(m_lockDelay, 1, 2);
  grid->addWidget(m_lockerLine, 2, 0, 1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_preview, 0, Qt::AlignHCenter);
  layout->addLayout(programRow);
  layout->addLayout(grid);
  layout->addWidget(m_statusLine);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* order[] = {m_settings,
                      m_runSaver,
                      m_watcherOn,
                      m_wait,
                      m_lock,
                      m_lockDelay,
                      buttons->button(QDialogButtonBox::Ok),
                      buttons->button(QDialogButtonBox::Cancel),
                      m_apply};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);

  QObject::connect(m_settings, &QPushButton::clicked, this, [this] { OpenSheet(); });
  QObject::connect(m_runSaver, &QPushButton::clicked, this, [this] { RunSaver(); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, this, &CPanelWindow::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &CPanelWindow::reject);
  QObject::connect(m_apply, &QPushButton::clicked, this, [this] { ApplyChanges(); });
  QObject::connect(m_watcherOn, &QCheckBox::toggled, this, [this](bool on) {
    m_model.SetWatcherOn(on);
    FollowControls();
  });
  QObject::connect(m_lock, &QCheckBox::toggled, this, [this](bool on) {
    m_model.SetLock(on);
    FollowControls();
  });
  QObject::connect(m_wait, &QSpinBox::valueChanged, this, [this](int minutes) {
    m_model.SetWaitMinutes(minutes);
    FollowControls();
  });
  QObject::connect(m_lockDelay, &QSpinBox::valueChanged, this, [this](int minutes) {
    m_model.SetLockMinutes(minutes);
    FollowControls();
  });
}

void CPanelWindow::ShowModel() {
  const QSignalBlocker blockers[] = {QSignalBlocker(m_watcherOn), QSignalBlocker(m_wait),
                                     QSignalBlocker(m_lock), QSignalBlocker(m_lockDelay)};
  m_watcherOn->setChecked(m_model.WatcherOn());
  m_wait->setValue(m_model.WaitMinutes());
  m_lock->setChecked(m_model.Lock());
  m_lockDelay->setValue(m_model.LockMinutes());
  for (QSpinBox* box : {m_wait, m_lockDelay})
    box->setSuffix(Text(box->value() == 1 ? PanelTexts::kMinute : PanelTexts::kMinutes));
  FollowControls();
}

void CPanelWindow::FollowControls() {
  const bool on = m_watcherOn->isChecked();
  m_wait->setEnabled(on);
  m_lock->setEnabled(on && m_lines.canLock);
  m_lockDelay->setEnabled(m_lock->isEnabled() && m_lock->isChecked());
  m_apply->setEnabled(m_model.Changed());
}

void CPanelWindow::RefreshWatcher() {
  m_lines = DescribeWatcher(m_programs.probeWatcher());
  m_statusLine->setText(Text(m_lines.status));
  m_lockerLine->setText(Text(m_lines.locker));
  FollowControls();
}

bool CPanelWindow::ApplyChanges() {
  const CPanelModel::EApplied result = m_model.Apply();
  FollowControls();
  RefreshWatcher();
  // A watcher just started says what it found a moment later.
  QTimer::singleShot(1500, this, [this] { RefreshWatcher(); });
  switch (result) {
    case CPanelModel::EApplied::Done:
      return true;
    case CPanelModel::EApplied::NotWritten:
      Warn(Text(PanelTexts::kNotWritten));
      return false;
    case CPanelModel::EApplied::WatcherNotSwitched:
      Warn(Text(PanelTexts::kNotSwitched));
      return false;
  }
  return false;
}

void CPanelWindow::accept() {
  if (ApplyChanges())
    QDialog::accept();
}

void CPanelWindow::OpenSheet() {
  // The sheet says nothing of how it ended; what it wrote tells.
  m_settingsBeforeSheet = FileText(m_programs.settingsFile);
  m_settings->setEnabled(false);
  m_sheet.start(m_programs.sheet, {});
}

void CPanelWindow::SheetEnded() {
  m_settings->setEnabled(true);
  if (FileText(m_programs.settingsFile) != m_settingsBeforeSheet)
    m_preview->Restart(m_programs.loadSettings());
}

void CPanelWindow::RunSaver() {
  if (!QProcess::startDetached(m_programs.saver, {QStringLiteral("/s")}))
    Warn(Text(PanelTexts::kCannotRun).arg(m_programs.saver));
}

void CPanelWindow::Warn(const QString& text) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
  box.setFont(font());
  box.exec();
}

bool CPanelWindow::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  switch (event->type()) {
    case QEvent::Show:
      if (windowHandle())
        windowHandle()->installEventFilter(this);
      m_preview->FollowVisibility();
      break;
    case QEvent::Hide:
    case QEvent::WindowStateChange:
      m_preview->FollowVisibility();
      break;
    case QEvent::WindowActivate:
      RefreshWatcher();
      break;
    default:
      break;
  }
  return handled;
}

bool CPanelWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose)
    QTimer::singleShot(0, this, [this] { m_preview->FollowVisibility(); });
  return QDialog::eventFilter(watched, event);
}
