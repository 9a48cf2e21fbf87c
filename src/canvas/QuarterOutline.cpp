#include "canvas/QuarterOutline.h"

// The outline is the integer midpoint walk of the ellipse inscribed in the pixel box. Positions
// are doubled offsets from the box's centre, X = 2x - (width - 1) and Y = 2y - (height - 1),
// so that boxes of odd and even sides share integer arithmetic, and the ellipse is
// F(X, Y) = b^2 X^2 + a^2 Y^2 - a^2 b^2 = 0 with a = width - 1 and b = height - 1.
//
// Each step looks at the diagonal neighbour (X - 2, Y + 2) and its two axis neighbours:
// it moves left when F(diagonal) + F(below) >= 0 and down when F(diagonal) + F(left) <= 0,
// both decided before either move is made. Deciding them together is what GDI does, and it is
// visible: where the two sums sit on opposite sides of a corner, GDI moves down and then left
// in two steps and lights the corner pixel between them (a box of 16 x 16 has such corners
// at offsets (5, 5) of each quarter), where a walk that re-tested after moving down would
// have stepped diagonally. Likewise the walk ends as soon as it passes the middle column, even
// where a box only a few pixels wide still has rows below it: GDI leaves those ends open.
void BuildQuarterOutline(std::int64_t width, std::int64_t height,
                         std::vector<SQuarterPoint>& quarter) {
  quarter.clear();
  const std::int64_t a = width - 1;
  const std::int64_t b = height - 1;
  const std::int64_t oddB = b & 1;

  // F(diagonal), and what one step left or down adds to F at the diagonal's row or column:
  // F(X - 2, .) - F(X, .) = 4 b^2 (1 - X) and F(., Y + 2) - F(., Y) = 4 a^2 (Y + 1).
  // The walk starts at X = a and Y = oddB (the middle row, or the lower of the two).
  std::int64_t diagonal = 4 * b * b * (1 - a) + 4 * a * a * (1 + oddB) + a * a * oddB;
  std::int64_t leftGain = 4 * b * b * (1 - a);
  std::int64_t downGain = 4 * a * a * (1 + oddB);
  const std::int64_t leftGainStep = 8 * b * b;
  const std::int64_t downGainStep = 8 * a * a;

  std::int64_t x = a;
  std::int64_t y = height / 2;
  const std::int64_t middleColumn = width / 2;
  const std::int64_t middleRow = height / 2;
  // A walk never needs more steps than the quarter's width and height together; the bound only
  // guards against a box where neither test moves (none is known).
  std::int64_t stepsLeft = width + height + 2;
  while (x >= middleColumn && stepsLeft-- > 0) {
    quarter.push_back(SQuarterPoint{static_cast<std::int32_t>(x - middleColumn),
                                    static_cast<std::int32_t>(y - middleRow)});
    const std::int64_t twiceDiagonal = 2 * diagonal;
    const bool moveLeft = twiceDiagonal >= leftGain;
    const bool moveDown = twiceDiagonal <= downGain;
    if (moveLeft) {
      --x;
      leftGain += leftGainStep;
      diagonal += leftGain;
    }
    if (moveDown) {
      ++y;
      downGain += downGainStep;
      diagonal += downGain;
    }
  }
}
