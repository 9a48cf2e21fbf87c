#pragma once

// Converting dialog-template units into pixels, as Windows does for the dialog's font: a
// horizontal unit is a quarter of the font's average character width, a vertical one an eighth
// of its height.
struct CDialogBaseUnits {
  int x;  // average character width, in pixels
  int y;  // character height, in pixels
};

// alphabetWidth: width in pixels of "A".."Z" followed by "a".."z"; cellHeight: ascent +
// descent, unrounded. The height is rounded up to whole pixels: a toolkit that rounds ascent
// and descent to the nearest pixel may lose one, and the templates' boxes then fall a few
// pixels short of the lines they were laid out to hold.
CDialogBaseUnits BaseUnitsFromFont(int alphabetWidth, double cellHeight);

struct CPixelRect {
  int x, y, width, height;
};

CPixelRect MapDialogRect(const CDialogBaseUnits& units, int x, int y, int cx, int cy);

// The text whose width gives the average character width.
inline constexpr const char* kDialogUnitsAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
