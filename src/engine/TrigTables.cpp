#include "engine/TrigTables.h"
#include "engine/RoundedMath.h"

namespace {
// Pi cut to ten decimals, divided by 180: every stored figure and every comparison with
// the Windows build rests on this exact factor, not on the true pi / 180.
constexpr double kRadiansPerDegree = 0.017453292519444445;
}  // namespace

void CTrigTables::BuildTrigTables() {
  // The first quadrant is computed, correctly rounded so that every machine has the same bits; the
  // others follow by symmetry, written in this order so that the later writes decide the entries
  // where two rules meet (sine 180 ends as -0.0, cosine 90 and 270 as the same tiny negative
  // number).
  for (int i = 0; i <= 90; ++i) {
    const double radians = i * kRadiansPerDegree;
    const double s = RoundedMath::Sin(radians);
    const double c = RoundedMath::Cos(radians);
    m_sinTable[180 - i] = s;
    m_sinTable[i] = s;
    m_sinTable[360 - i] = -s;
    m_sinTable[180 + i] = -s;
    m_cosTable[360 - i] = c;
    m_cosTable[i] = c;
    m_cosTable[180 - i] = -c;
    m_cosTable[180 + i] = -c;
  }
  // The first pass already left cosine 360 equal to cosine 0; sine 360 was last written as
  // -0.0 and takes sine 0's +0.0.
  m_sinTable[360] = m_sinTable[0];
}
