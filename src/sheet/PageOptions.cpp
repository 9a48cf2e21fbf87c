#include "sheet/PageOptions.h"

using namespace ControlIds;

void CPageShapes::DoDataExchange(CDataExchange& dx) {
  dx.Check(kCircle, m_circle);
  dx.Check(kDiamond, m_diamond);
  dx.Check(kSixPointStar, m_hexagram);
  dx.Check(kEightPointStar, m_octagram);
  dx.Check(kPyramid, m_pyramid);
  dx.Check(kSquare, m_square);
  dx.Check(kFourPointStar, m_star);
  dx.Check(kTriangle, m_triangle);
}

void CPageRotation::DoDataExchange(CDataExchange& dx) {
  dx.Check(kRotateAntiClockwise, m_antiClockwise);
  dx.Check(kRotateClockwise, m_clockwise);
  dx.Check(kRotateNone, m_none);
}

void CPageZoom::DoDataExchange(CDataExchange& dx) {
  dx.Check(kZoomHigh, m_high);
  dx.Check(kZoomLow, m_low);
  dx.Check(kZoomMedium, m_medium);
  dx.Check(kZoomOnePhase, m_onePhase);
  dx.Check(kZoomFourPhase, m_fourPhase);
  dx.Check(kZoomStartLarge, m_startLarge);
  dx.Check(kZoomStartSmall, m_startSmall);
  dx.Check(kZoomVeryHigh, m_veryHigh);
  dx.Check(kZoomTwoPhase, m_twoPhase);
}

void CPageJoinTheDots::DoDataExchange(CDataExchange& dx) {
  dx.Check(kJoinBoth, m_both);
  dx.Check(kJoinNo, m_no);
  dx.Check(kJoinYes, m_yes);
}
