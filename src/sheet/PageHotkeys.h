#pragma once

#include <cstdint>
#include <string>

#include "sheet/ConfigPage.h"

// The pause and screenshot hotkeys and the screenshot folder. It refuses to be left while two
// active hotkeys share a key or the folder does not exist, and "Browse" opens the folder chooser.
class CPageHotkeys : public CConfigPage {
 public:
  CPageHotkeys() : CConfigPage(PageTemplates::kHotkeys) {}

  void DoDataExchange(CDataExchange& dx) override;
  int OnKillActive(IPageControls& controls, CPageServices& services) override;
  void OnCommand(int id, IPageControls& controls, CPageServices& services) override;
  void OnBrowse(IPageControls& controls, CPageServices& services);

  static constexpr std::size_t kMaxKeyChars = 1;
  static constexpr std::size_t kMaxLocationChars = 255;

  std::string m_pauseKey;
  std::string m_printKey;
  std::int32_t m_pauseActive = 0;
  std::int32_t m_printActive = 0;
  std::string m_location;
};
