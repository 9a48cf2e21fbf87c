#include "sheet/DialogUnits.h"

#include <cmath>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest integer, halves up; templates hold no negative places.
int MulDiv(int a, int b, int c) {
  return static_cast<int>((static_cast<std::int64_t>(a) * b + c / 2) / c);
}

}  // namespace

CDialogBaseUnits BaseUnitsFromFont(int alphabetWidth, double cellHeight) {
  // The 52 letters average to alphabetWidth / 52, rounded.
  return {(alphabetWidth / 26 + 1) / 2, static_cast<int>(std::ceil(cellHeight))};
}

CPixelRect MapDialogRect(const CDialogBaseUnits& units, int x, int y, int cx, int cy) {
  return {MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
          MulDiv(cy, units.y, 8)};
}
