#pragma once

#include <vector>

#include "platform/posix/PolledSource.h"

// One poll over every connection of a long-running program. It sleeps until a descriptor is
// ready or the nearest deadline passes, and wakes for nothing else, so a program idle in it
// costs no CPU at all.
class CPollLoop {
 public:
  void Add(IPolledSource& source);
  // Safe from inside a source's Process.
  void Remove(IPolledSource& source);
  // Until a source's Process returns false, or poll itself fails. False in the second case.
  bool Run();

 private:
  std::vector<IPolledSource*> m_sources;
};
