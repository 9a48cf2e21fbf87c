#include "engine/FigurePlan.h"

namespace {

bool Within(std::int32_t kind, std::int32_t low, std::int32_t high) {
  return kind >= low && kind <= high;
}

// Pairs that draw badly together (a figure squashed onto a line or lost in one corner),
// from the point of view of kind a: does it refuse kind b as its partner?
bool Rejects(std::int32_t a, std::int32_t b) {
  switch (a) {
    case 0:
      return Within(b, 32, 39);
    case 2:
      return Within(b, 0, 15);
    case 4:
    case 13:
      return Within(b, 0, 19);
    case 5:
      return b == 14;
    case 6:
      return Within(b, 20, 39);
    case 12:
      return b == 9 || b == 10;
    case 15:
      return Within(b, 0, 13);
    case 19:
      return b == 9;
    case 30:
      return Within(b, 33, 39);
    case 32:
    case 33:
      return Within(b, 34, 39);
    case 34:
    case 36:
    case 37:
      return Within(b, 32, 39);
    case 35:
      return b == 36 || b == 37;
    case 38:
    case 39:
      return Within(b, 37, 39);
    case 45:
      return Within(b, 44, 49);
    case 46:
      return Within(b, 0, 15) || Within(b, 40, 49);
    case 47:
      return Within(b, 40, 49);
    case 48:
      return Within(b, 42, 49);
    case 49:
      return Within(b, 0, 15);
    default:
      return false;
  }
}

}  // namespace

int CFigurePlan::KindsClash() const {
  return static_cast<int>(m_kindX == m_kindY || Rejects(m_kindX, m_kindY) ||
                          Rejects(m_kindY, m_kindX));
}

void CFigurePlan::PickCurveKinds(CRandomNumbers& random) {
  do {
    m_kindX = random.Next() % 50;
    m_kindY = random.Next() % 50;
  } while (KindsClash() != 0);
}
