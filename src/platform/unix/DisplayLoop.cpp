#include "platform/unix/DisplayLoop.h"

#include <algorithm>

#include "platform/unix/SignalsAndWait.h"

int RunDisplayLoop(IDisplayConnection& connection, CDrawingWindowCore& core) {
  while (connection.DispatchQueued() && !connection.Finished() && !core.CloseRequested()) {
    if (!connection.PrepareRead()) {
      continue;
    }
    if (EndingSignal() != 0) {
      connection.CancelRead();
      break;
    }
    if (TakeResetRequest()) {
      connection.CancelRead();
      core.Reset();
      continue;
    }
    const auto now = IDisplayConnection::Clock::now();
    if (const auto id = core.TakeDue(now)) {
      connection.CancelRead();
      core.DeliverTimer(*id);
      continue;
    }
    std::optional<IDisplayConnection::Clock::time_point> deadline = connection.Deadline();
    if (deadline && *deadline <= now) {
      connection.CancelRead();
      connection.DeadlinePassed();
      continue;
    }
    if (!connection.Flush()) {
      connection.CancelRead();
      break;
    }
    if (const auto due = core.NextDue()) {
      deadline = deadline ? std::min(*deadline, *due) : *due;
    }
    // A key is seen within a frame at the default pace, sooner at a faster one.
    const bool deaf = connection.OnlyAnswersDue();
    if (deaf) {
      const auto latest = now + kLongestDeafWait;
      deadline = deadline ? std::min(*deadline, latest) : latest;
    }
    if (WaitForInputOrSignal(deaf ? -1 : connection.Fd(), deadline) != 0 || deaf) {
      if (!connection.Read()) {
        break;
      }
    } else {
      connection.CancelRead();
    }
  }
  return 0;
}
