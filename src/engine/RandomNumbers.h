#pragma once

#include <cstdint>

// The C runtime's rand() of the Windows build, kept in our own hands so that one seed draws
// the same figures on every platform and compiler: a 32-bit linear congruential state,
// multiplied by 214013 and increased by 2531011 at each draw, yielding bits 16 to 30.
class CRandomNumbers {
 public:
  // The srand() equivalent.
  void Seed(std::uint32_t seed) { m_state = seed; }

  // The rand() equivalent: 0 to 32767.
  std::int32_t Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<std::int32_t>((m_state >> 16) & 0x7FFFu);
  }

  std::uint32_t State() const { return m_state; }

 private:
  std::uint32_t m_state = 1;
};
