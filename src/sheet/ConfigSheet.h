#pragma once

#include <array>

#include "sheet/PageColours.h"
#include "sheet/PageDisplay.h"
#include "sheet/PageHotkeys.h"
#include "sheet/PageOptions.h"
#include "settings/SaverSettings.h"

// The settings sheet's seven pages in tab order, and the transfer between them and the
// settings record: into the pages before the sheet opens, back and out through the writers
// after OK.
class CConfigSheet {
 public:
  static constexpr int kPageCount = 7;

  // Fills every page member, so a page the user never opens hands back what it received.
  void FillFromSettings(const SaverSettings& settings);
  // Converts the members back into the record and writes the edited values, in this order.
  void WriteBack(SaverSettings& settings) const;

  // Display, Colours, Rotation, Shapes, Zoom, Join The Dots, Hotkeys.
  std::array<CConfigPage*, kPageCount> Pages();

  CPageDisplay m_display;
  CPageColours m_colours;
  CPageRotation m_rotation;
  CPageShapes m_shapes;
  CPageZoom m_zoom;
  CPageJoinTheDots m_joinTheDots;
  CPageHotkeys m_hotkeys;
};

// What a platform offers the sheet: runs it modally; 1 when the user closed it with OK.
class IConfigSheetHost {
 public:
  virtual ~IConfigSheetHost() = default;
  virtual int RunModalSheet(CConfigSheet& sheet) = 0;
};

inline constexpr int kSheetOk = 1;

// Reloads the settings, runs the sheet and, only after OK, writes the edited settings.
void RunConfigSheet(SaverSettings& settings, IConfigSheetHost& host);
