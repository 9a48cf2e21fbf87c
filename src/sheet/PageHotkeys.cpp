#include "sheet/PageHotkeys.h"

#include "sheet/ConfigTexts.h"

using namespace ControlIds;

void CPageHotkeys::DoDataExchange(CDataExchange& dx) {
  dx.Text(kPauseKey, m_pauseKey, kMaxKeyChars);
  dx.Text(kPrintKey, m_printKey, kMaxKeyChars);
  dx.Check(kPauseActive, m_pauseActive);
  dx.Check(kPrintActive, m_printActive);
  dx.Text(kLocation, m_location, kMaxLocationChars);
}

int CPageHotkeys::OnKillActive(IPageControls& controls, CPageServices& services) {
  if (UpdateData(controls, services.messages, true) == 0) {
    return 0;
  }
  // Two empty keys are the same key: the saver could not tell the two actions apart.
  if (m_pauseActive != 0 && m_printActive != 0 && m_pauseKey == m_printKey) {
    services.messages.ShowMessage(ConfigTexts::kHotkeysNotUnique, ConfigTexts::kErrorCaption,
                                  MessageIcon::kStop);
    controls.SetFocus(kPrintKey);
    return 0;
  }
  if (!m_location.empty()) {
    const PathKind kind = services.paths.Probe(m_location);
    // A lookup that fails for another reason than a missing entry does not hold the user up.
    if (kind == PathKind::kMissing || kind == PathKind::kNotDirectory) {
      services.messages.ShowMessage(ConfigTexts::kNoSuchDirectory, ConfigTexts::kErrorCaption,
                                    MessageIcon::kStop);
      controls.SetFocus(kLocation);
      return 0;
    }
  }
  return 1;
}

void CPageHotkeys::OnCommand(int id, IPageControls& controls, CPageServices& services) {
  if (id == kBrowse) {
    OnBrowse(controls, services);
  }
}

void CPageHotkeys::OnBrowse(IPageControls& controls, CPageServices& services) {
  // Brings m_location up to what the box shows, so the chooser starts there; a box that fails
  // is reported but does not stop the chooser. The folder is checked when the page is left.
  UpdateData(controls, services.messages, true);
  if (services.folders.ChooseFolder(m_location) == kFolderChosen) {
    UpdateData(controls, services.messages, false);
  }
}
