#pragma once

#include <cstdint>

class CPixelTarget;

// The outline of an ellipse whose normalised box (right and bottom outside) is wider or taller
// than GDI's integer walk is used for here. Drawn row by row over the surface's rows only, so
// its cost follows the surface, not the ellipse. Equal radials draw the whole outline;
// otherwise the counter-clockwise arc between them.
void RasterLargeArc(CPixelTarget& target, std::int64_t left, std::int64_t top, std::int64_t right,
                    std::int64_t bottom, std::int64_t xStart, std::int64_t yStart,
                    std::int64_t xEnd, std::int64_t yEnd);
