#include "sheet/PageTemplates.h"

namespace {

using enum ControlKind;
using namespace ControlIds;

// The pages' introductions, each a centred static text above the page's controls.
constexpr std::string_view kShapesIntro =
    "Select which shapes you wish to use\n\nThe curve parameters will be randomly chosen from "
    "those selected below";

constexpr std::string_view kDisplayIntro =
    "The first two options effect the speed of curve generation and size of the object "
    "used.\n\nThe last option defines how long the completed image remains visible, before "
    "starting the next one.";

constexpr std::string_view kColoursIntro =
    "Depending on your monitor and graphic card, you may see what look like gaps in the curve "
    "display. If this is the case, you can stop this by selecting a lower setting here. ";

constexpr std::string_view kRotationIntro =
    "Select which rotation you wish to use\n\nThe curve parameters will be randomly chosen from "
    "those selected below";

constexpr std::string_view kZoomIntro =
    "Select which zoom options you wish to use.\n\nThe curve parameters will be randomly chosen "
    "from those selected below";

constexpr std::string_view kJoinTheDotsIntro =
    "Select which options you wish to use\n\nThe curve parameters will be randomly chosen from "
    "those selected below";

constexpr std::string_view kHotkeysIntro =
    "Although this is a screensaver, you can configure it to perform functions via hotkeys. "
    "After the action has been performed, the screensaver will carry on as usual !!";

constexpr CControlTemplate kShapesControls[] = {
    {kCircle, kCheckBox, "Circle", 20, 65, 55, 10},
    {kFourPointStar, kCheckBox, "4 Point Star", 20, 85, 55, 10},
    {kSixPointStar, kCheckBox, "6 Point Star", 20, 105, 55, 10},
    {kEightPointStar, kCheckBox, "8 Point Star", 20, 125, 55, 10},
    {kSquare, kCheckBox, "Square", 115, 65, 55, 10},
    {kDiamond, kCheckBox, "Diamond", 115, 85, 55, 10},
    {kTriangle, kCheckBox, "Triangle", 115, 105, 55, 10},
    {kPyramid, kCheckBox, "Pyramid", 115, 125, 55, 10},
    {kStaticId, kStaticCentre, kShapesIntro, 32, 20, 144, 35},
};

constexpr CControlTemplate kDisplayControls[] = {
    {kStaticId, kStaticRight, "Images Per Second :", 30, 81, 75, 10},
    {kStaticId, kStaticRight, "Object Size (%) : ", 30, 101, 75, 10},
    {kStaticId, kStaticRight, "Completion Delay (s) : ", 30, 121, 75, 10},
    {kImagesPerSec, kEdit, "", 110, 80, 30, 12},
    {kObjectSize, kEdit, "", 110, 100, 30, 12},
    {kCompletionDelay, kEdit, "", 110, 120, 30, 12},
    {kStaticId, kStaticCentre, kDisplayIntro, 23, 21, 164, 47},
};

constexpr CControlTemplate kColoursControls[] = {
    {kColourHigh, kRadio, "High", 80, 80, 50, 10},
    {kColourMedium, kRadio, "Medium", 80, 100, 50, 10},
    {kColourLow, kRadio, "Low", 80, 120, 50, 10},
    {kStaticId, kStaticCentre, kColoursIntro, 16, 22, 177, 32},
};

constexpr CControlTemplate kRotationControls[] = {
    {kRotateNone, kCheckBox, "None", 69, 80, 70, 10},
    {kRotateClockwise, kCheckBox, "Clockwise", 69, 100, 70, 10},
    {kRotateAntiClockwise, kCheckBox, "Anti-Clockwise", 69, 120, 70, 10},
    {kStaticId, kStaticCentre, kRotationIntro, 33, 20, 144, 35},
};

constexpr CControlTemplate kZoomControls[] = {
    {kZoomVeryHigh, kCheckBox, "Very High", 17, 70, 46, 10},
    {kZoomHigh, kCheckBox, "High", 17, 90, 46, 10},
    {kZoomMedium, kCheckBox, "Medium", 17, 110, 46, 10},
    {kZoomLow, kCheckBox, "Low", 17, 130, 46, 10},
    {kZoomOnePhase, kCheckBox, "1 Phase", 80, 80, 40, 10},
    {kZoomTwoPhase, kCheckBox, "2 Phase", 80, 100, 40, 10},
    {kZoomFourPhase, kCheckBox, "4 Phase", 80, 120, 40, 10},
    {kZoomStartSmall, kCheckBox, "Start Small", 140, 90, 50, 10},
    {kZoomStartLarge, kCheckBox, "Start Large", 140, 110, 50, 10},
    {kStaticId, kStaticCentre, kZoomIntro, 32, 20, 144, 35},
};

constexpr CControlTemplate kJoinTheDotsControls[] = {
    {kStaticId, kStaticCentre, kJoinTheDotsIntro, 29, 20, 151, 35},
    {kJoinYes, kCheckBox, "Yes (only corners joined)", 55, 75, 100, 10},
    {kJoinNo, kCheckBox, "No (only the shape drawn)", 55, 95, 100, 10},
    {kJoinBoth, kCheckBox, "Both (corners and shape)", 55, 115, 100, 10},
};

constexpr CControlTemplate kHotkeysControls[] = {
    {kStaticId, kStaticCentre, kHotkeysIntro, 11, 12, 176, 30},
    {kPauseActive, kCheckBoxRightText, "Activate", 21, 57, 42, 12},
    {kPrintActive, kCheckBoxRightText, "Activate", 20, 104, 42, 12},
    {kPauseKey, kUpperCaseEdit, "", 120, 57, 30, 14},
    {kPrintKey, kUpperCaseEdit, "", 120, 104, 30, 14},
    {kStaticId, kGroupBox, "Pause", 12, 45, 185, 30},
    {kStaticId, kStaticLeft, "Key :  ", 96, 59, 18, 10},
    {kStaticId, kStaticLeft, "Key : ", 96, 105, 18, 10},
    {kStaticId, kStaticLeft, "Location : ", 22, 125, 36, 10},
    {kLocation, kEdit, "", 61, 123, 98, 13},
    {kBrowse, kPushButton, "Browse", 162, 121, 32, 16},
    {kStaticId, kGroupBox, "Screenshots", 12, 91, 185, 50},
};

}  // namespace

namespace PageTemplates {
const CPageTemplate kShapes{107, "Shapes", kShapesControls};
const CPageTemplate kDisplay{108, "Display", kDisplayControls};
const CPageTemplate kColours{109, "Colours", kColoursControls};
const CPageTemplate kRotation{110, "Rotation", kRotationControls};
const CPageTemplate kZoom{111, "Zoom", kZoomControls};
const CPageTemplate kHotkeys{112, "Hotkeys", kHotkeysControls};
const CPageTemplate kJoinTheDots{113, "Join The Dots", kJoinTheDotsControls};
}  // namespace PageTemplates
