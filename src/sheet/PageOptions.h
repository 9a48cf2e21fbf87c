#pragma once

#include <cstdint>

#include "sheet/ConfigPage.h"

// The four pages of option check boxes: one member per option bit, 1 when ticked.

class CPageShapes : public CConfigPage {
 public:
  CPageShapes() : CConfigPage(PageTemplates::kShapes) {}
  void DoDataExchange(CDataExchange& dx) override;

  std::int32_t m_circle = 0;
  std::int32_t m_diamond = 0;
  std::int32_t m_hexagram = 0;
  std::int32_t m_octagram = 0;
  std::int32_t m_pyramid = 0;
  std::int32_t m_square = 0;
  std::int32_t m_star = 0;
  std::int32_t m_triangle = 0;
};

class CPageRotation : public CConfigPage {
 public:
  CPageRotation() : CConfigPage(PageTemplates::kRotation) {}
  void DoDataExchange(CDataExchange& dx) override;

  std::int32_t m_antiClockwise = 0;
  std::int32_t m_clockwise = 0;
  std::int32_t m_none = 0;
};

class CPageZoom : public CConfigPage {
 public:
  CPageZoom() : CConfigPage(PageTemplates::kZoom) {}
  void DoDataExchange(CDataExchange& dx) override;

  std::int32_t m_high = 0;
  std::int32_t m_low = 0;
  std::int32_t m_medium = 0;
  std::int32_t m_onePhase = 0;
  std::int32_t m_fourPhase = 0;
  std::int32_t m_startLarge = 0;
  std::int32_t m_startSmall = 0;
  std::int32_t m_veryHigh = 0;
  std::int32_t m_twoPhase = 0;
};

class CPageJoinTheDots : public CConfigPage {
 public:
  CPageJoinTheDots() : CConfigPage(PageTemplates::kJoinTheDots) {}
  void DoDataExchange(CDataExchange& dx) override;

  std::int32_t m_both = 0;
  std::int32_t m_no = 0;
  std::int32_t m_yes = 0;
};
