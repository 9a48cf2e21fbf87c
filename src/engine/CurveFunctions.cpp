#include "engine/RoundedMath.h"
#include "engine/TrigTables.h"

using RoundedMath::Exp;

double CTrigTables::CurveValue(std::int32_t a, std::int32_t kind) const {
  // Every caller passes 0 to 360; anything else would read outside the tables.
  if (a < 0 || a > 360) {
    return 0.0;
  }
  const auto S = [this](int n) { return m_sinTable[n]; };
  const auto C = [this](int n) { return m_cosTable[n]; };
  const int a2 = (2 * a) % 360;
  const int a3 = (3 * a) % 360;
  const int a4 = (4 * a) % 360;

  if (kind >= 10 && kind <= 49) {
    const double base = CurveValue(a, kind % 10);
    switch (kind / 10) {
      case 1:
        if (kind == 18) {
          return Exp(base * S(a)) * C(a3);
        }
        return Exp(base * C(a));
      case 2:
        return Exp(base) * S(a);
      case 3:
        return Exp(base * C(a)) * S(a2);
      default:
        return Exp(base * S(a)) * C(a2);
    }
  }
  switch (kind) {
    case 0:
      return S(a2);
    case 1:
      return C(a);
    case 2:
      return C(a2) * S(a2) * S(a2);
    case 3:
      return S(a2) * C(a) * S(a2);
    case 4:
      return C(a2) * S(a) * S(a);
    case 5:
      return C(a2) * S(a2) * S(a);
    case 6:
      return C(a2) * S(a3) * S(a);
    case 7:
      return S(a3) * S(a2) * S(a);
    case 8:
      return S(a2) * S(a) * S(a4) * S(a4);
    case 9:
      return RoundedMath::Cube(S(a3));
    default:
      return 0.0;
  }
}
