#include "sheet/ConfigSheet.h"

#include <span>

#include "settings/OptionBits.h"

namespace {

template <class Page>
struct CMaskBit {
  std::uint32_t bit;
  std::int32_t Page::*member;
};

constexpr CMaskBit<CPageShapes> kShapeBits[] = {
    {OptionBits::kCircle, &CPageShapes::m_circle},
    {OptionBits::kSquare, &CPageShapes::m_square},
    {OptionBits::kTriangle, &CPageShapes::m_triangle},
    {OptionBits::kFourPointStar, &CPageShapes::m_star},
    {OptionBits::kDiamond, &CPageShapes::m_diamond},
    {OptionBits::kPyramid, &CPageShapes::m_pyramid},
    {OptionBits::kSixPointStar, &CPageShapes::m_hexagram},
    {OptionBits::kEightPointStar, &CPageShapes::m_octagram},
};

constexpr CMaskBit<CPageRotation> kRotationBits[] = {
    {OptionBits::kRotateNone, &CPageRotation::m_none},
    {OptionBits::kRotateClockwise, &CPageRotation::m_clockwise},
    {OptionBits::kRotateAntiClockwise, &CPageRotation::m_antiClockwise},
};

constexpr CMaskBit<CPageZoom> kZoomBits[] = {
    {OptionBits::kZoomLow, &CPageZoom::m_low},
    {OptionBits::kZoomMedium, &CPageZoom::m_medium},
    {OptionBits::kZoomHigh, &CPageZoom::m_high},
    {OptionBits::kZoomVeryHigh, &CPageZoom::m_veryHigh},
    {OptionBits::kZoomOnePhase, &CPageZoom::m_onePhase},
    {OptionBits::kZoomTwoPhase, &CPageZoom::m_twoPhase},
    {OptionBits::kZoomFourPhase, &CPageZoom::m_fourPhase},
    {OptionBits::kZoomStartSmall, &CPageZoom::m_startSmall},
    {OptionBits::kZoomStartLarge, &CPageZoom::m_startLarge},
};

constexpr CMaskBit<CPageJoinTheDots> kJoinBits[] = {
    {OptionBits::kJoinYes, &CPageJoinTheDots::m_yes},
    {OptionBits::kJoinNo, &CPageJoinTheDots::m_no},
    {OptionBits::kJoinBoth, &CPageJoinTheDots::m_both},
};

template <class Page>
void SplitMask(std::uint32_t mask, std::span<const CMaskBit<Page>> bits, Page& page) {
  for (const auto& b : bits) {
    page.*b.member = (mask & b.bit) != 0;
  }
}

// Built from zero: bits that no check box shows are dropped.
template <class Page>
std::uint32_t RebuildMask(std::span<const CMaskBit<Page>> bits, const Page& page) {
  std::uint32_t mask = 0;
  for (const auto& b : bits) {
    if (page.*b.member != 0) {
      mask |= b.bit;
    }
  }
  return mask;
}

}  // namespace

void CConfigSheet::FillFromSettings(const SaverSettings& settings) {
  m_display.m_objectSize = settings.ObjectSizePercent();
  // An interval of 0 (a record filled by hand) shows as the fastest pace, not a division by 0.
  m_display.m_imagesPerSec = settings.ImagesPerSecond();
  m_display.m_completionDelay = static_cast<std::uint32_t>(settings.m_endDelay);

  m_colours.m_colourLevel = settings.m_colourOption;

  SplitMask<CPageRotation>(settings.m_objectRotation, kRotationBits, m_rotation);
  SplitMask<CPageShapes>(settings.m_objectShape, kShapeBits, m_shapes);
  SplitMask<CPageZoom>(settings.m_zoomOption, kZoomBits, m_zoom);
  SplitMask<CPageJoinTheDots>(static_cast<std::uint16_t>(settings.m_joinTheDots), kJoinBits,
                              m_joinTheDots);

  m_hotkeys.m_pauseActive = settings.m_pausingActive;
  m_hotkeys.m_printActive = settings.m_printingActive;
  m_hotkeys.m_pauseKey = settings.m_pausingKey;
  m_hotkeys.m_printKey = settings.m_printingKey;
  m_hotkeys.m_location = settings.m_fileLocation;
}

void CConfigSheet::WriteBack(SaverSettings& settings) const {
  settings.m_objectSizeFactor = static_cast<double>(m_display.m_objectSize) * 0.01;
  // The page never lets 0 through; the guard is for members set by other code.
  if (m_display.m_imagesPerSec != 0) {
    settings.m_timerInterval = 1000 / m_display.m_imagesPerSec;
  }
  settings.m_endDelay = static_cast<std::int32_t>(m_display.m_completionDelay);

  const std::uint32_t rotations = RebuildMask<CPageRotation>(kRotationBits, m_rotation);
  const std::uint32_t shapes = RebuildMask<CPageShapes>(kShapeBits, m_shapes);
  const std::uint32_t zoom = RebuildMask<CPageZoom>(kZoomBits, m_zoom);

  settings.m_colourOption = m_colours.m_colourLevel;
  settings.m_joinTheDots =
      static_cast<std::int16_t>(RebuildMask<CPageJoinTheDots>(kJoinBits, m_joinTheDots));

  settings.m_pausingActive = m_hotkeys.m_pauseActive;
  settings.m_printingActive = m_hotkeys.m_printActive;
  settings.m_pausingKey = m_hotkeys.m_pauseKey;
  settings.m_printingKey = m_hotkeys.m_printKey;
  settings.m_fileLocation = m_hotkeys.m_location;

  settings.SaveRadiusFactor();
  settings.SaveImagesPerSec();
  settings.SaveObjectShape(shapes);
  settings.SaveObjectRotation(rotations);
  settings.SaveZoomOption(zoom);
  settings.SaveEndDelay();
  settings.SaveColourOption(settings.m_colourOption);
  settings.SavePausingActive();
  settings.SavePrintingActive();
  settings.SavePausingKay();
  settings.SavePrintingKey();
  settings.SaveFileLocation();
  settings.SaveJoinTheDots();
}

std::array<CConfigPage*, CConfigSheet::kPageCount> CConfigSheet::Pages() {
  return {&m_display, &m_colours, &m_rotation, &m_shapes, &m_zoom, &m_joinTheDots, &m_hotkeys};
}

void RunConfigSheet(SaverSettings& settings, IConfigSheetHost& host) {
  settings.LoadSettings();
  CConfigSheet sheet;
  sheet.FillFromSettings(settings);
  if (host.RunModalSheet(sheet) == kSheetOk) {
    sheet.WriteBack(settings);
  }
}
