#pragma once

#include <cstdint>

#include "sheet/ConfigPage.h"

// Speed, object size and completion delay, as three number boxes.
class CPageDisplay : public CConfigPage {
 public:
  CPageDisplay() : CConfigPage(PageTemplates::kDisplay) {}

  void DoDataExchange(CDataExchange& dx) override;

  static constexpr std::uint32_t kMaxObjectSize = 500;
  static constexpr std::uint32_t kMaxCompletionDelay = 60;
  static constexpr std::uint32_t kMinImagesPerSec = 1;
  static constexpr std::uint32_t kMaxImagesPerSec = 1000;

  std::uint32_t m_objectSize = 0;       // percent
  std::uint32_t m_completionDelay = 0;  // seconds
  std::uint32_t m_imagesPerSec = 0;
};
