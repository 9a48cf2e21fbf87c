#pragma once

#include <array>
#include <cstdint>

// The one-degree sine and cosine tables and the fifty curve kinds evaluated on them. Built
// once with the value; every figure's coordinates and every stamp's corners are lookups here.
class CTrigTables {
 public:
  static constexpr int kTableSize = 361;

  CTrigTables() { BuildTrigTables(); }

  void BuildTrigTables();
  // Curve kind 0 to 49 at the whole-degree angle a, 0 to 360; 0.0 outside those.
  double CurveValue(std::int32_t a, std::int32_t kind) const;

  std::array<double, kTableSize> m_sinTable{};
  std::array<double, kTableSize> m_cosTable{};
};
