#pragma once

#include <span>
#include <string_view>

// The pages' dialog templates: every control with its kind, text and place, in template order,
// which is also the order of the Tab key. Places are in dialog units of the page's font.
enum class ControlKind {
  kCheckBox,           // automatic check box, tab stop
  kCheckBoxRightText,  // the same, its text right-aligned in its box
  kRadio,              // automatic radio button, no tab stop; a page's radios form one group
  kEdit,               // bordered, scrolls horizontally, tab stop
  kUpperCaseEdit,      // the same, letters typed turn into upper case
  kGroupBox,           // a titled frame; the controls inside stay siblings
  kPushButton,         // text centred both ways, tab stop
  kStaticLeft,
  kStaticCentre,
  kStaticRight,
};

inline constexpr int kStaticId = -1;

struct CControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  int x, y, cx, cy;
};

struct CPageTemplate {
  int resourceId;
  std::string_view caption;  // the tab text
  std::span<const CControlTemplate> controls;
};

// Every page is this size, in dialog units, and uses this font.
inline constexpr int kPageWidthDlu = 210;
inline constexpr int kPageHeightDlu = 154;
inline constexpr std::string_view kPageFontFace = "MS Sans Serif";
inline constexpr int kPageFontPoints = 8;

namespace ControlIds {
inline constexpr int kCircle = 1001;
inline constexpr int kFourPointStar = 1002;
inline constexpr int kSixPointStar = 1003;
inline constexpr int kEightPointStar = 1004;
inline constexpr int kSquare = 1005;
inline constexpr int kDiamond = 1006;
inline constexpr int kTriangle = 1007;
inline constexpr int kPyramid = 1008;
inline constexpr int kImagesPerSec = 1009;
inline constexpr int kObjectSize = 1010;
inline constexpr int kCompletionDelay = 1011;
inline constexpr int kColourHigh = 1012;
inline constexpr int kColourMedium = 1013;
inline constexpr int kColourLow = 1014;
inline constexpr int kRotateNone = 1015;
inline constexpr int kRotateClockwise = 1016;
inline constexpr int kRotateAntiClockwise = 1017;
inline constexpr int kZoomVeryHigh = 1018;
inline constexpr int kZoomHigh = 1019;
inline constexpr int kZoomMedium = 1020;
inline constexpr int kZoomLow = 1021;
inline constexpr int kZoomOnePhase = 1022;
inline constexpr int kZoomTwoPhase = 1023;
inline constexpr int kZoomFourPhase = 1024;
inline constexpr int kZoomStartSmall = 1025;
inline constexpr int kZoomStartLarge = 1026;
inline constexpr int kPauseActive = 1027;
inline constexpr int kPrintActive = 1028;
inline constexpr int kPauseKey = 1030;
inline constexpr int kPrintKey = 1031;
inline constexpr int kLocation = 1032;
inline constexpr int kBrowse = 1033;
inline constexpr int kJoinYes = 1041;
inline constexpr int kJoinNo = 1042;
inline constexpr int kJoinBoth = 1043;
}  // namespace ControlIds

namespace PageTemplates {
extern const CPageTemplate kShapes;       // 107
extern const CPageTemplate kDisplay;      // 108
extern const CPageTemplate kColours;      // 109
extern const CPageTemplate kRotation;     // 110
extern const CPageTemplate kZoom;         // 111
extern const CPageTemplate kHotkeys;      // 112
extern const CPageTemplate kJoinTheDots;  // 113
}  // namespace PageTemplates
