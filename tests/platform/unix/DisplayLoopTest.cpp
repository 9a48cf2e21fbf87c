#include "platform/unix/DisplayLoop.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <ostream>
#include <string>

#include "FakeProfileStore.h"
#include "platform/unix/SignalsAndWait.h"

namespace {

// Counts the drawing contexts begun: the start's erase, a fresh figure's, one a tick.
class CCountingDisplay : public IDisplayWindow {
 public:
  void PrepareDrawing(CPixelBuffer&) override { ++contexts; }
  void Present(const CRasterCanvas&, const SCanvasChange&) override {}
  int contexts = 0;
};

// A display connection over a pipe: each byte is an event, handled by DispatchQueued; 'k' is a key
// press, anything else is noted. It is finished after a number of drawing contexts, and it logs
// what the loop asked of it.
class CPipeConnection : public IDisplayConnection {
 public:
  CPipeConnection(CDrawingWindowCore& core, CCountingDisplay& display)
      : m_core(core), m_display(display) {
    EXPECT_EQ(pipe(m_fds), 0);
  }
  ~CPipeConnection() override {
    close(m_fds[0]);
    close(m_fds[1]);
  }
  // Events read already, as Xlib or libwayland may have read them while waiting for an answer.
  void Queue(const std::string& events) { m_queued += events; }
  // Events that arrive on the connection, read after the loop's wait.
  void Send(const std::string& events) {
    EXPECT_EQ(write(m_fds[1], events.data(), events.size()), static_cast<ssize_t>(events.size()));
  }

  int Fd() const override { return m_fds[0]; }
  bool DispatchQueued() override {
    for (const char event : m_queued) {
      log += std::string(1, event) + "@" + std::to_string(m_display.contexts) + " ";
      if (event == 'k') {
        m_core.AddKey('A', true, {});
      }
    }
    m_queued.clear();
    return !lost;
  }
  bool Finished() const override { return m_display.contexts >= finishAfter; }
  bool Read() override {
    if (deadline && Clock::now() < *deadline) {
      log += "read-early ";
    }
    char buffer[16];
    const ssize_t got = read(m_fds[0], buffer, sizeof buffer);
    m_queued.append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
    return !failRead;
  }
  bool Flush() override { return !failFlush; }
  bool OnlyAnswersDue() const override { return onlyAnswers; }
  std::optional<Clock::time_point> Deadline() const override { return deadline; }
  void DeadlinePassed() override {
    log += "deadline@" + std::to_string(m_display.contexts) + " ";
    deadline.reset();
  }

  std::string log;
  int finishAfter = 1000;
  bool lost = false;
  bool failRead = false;
  bool failFlush = false;
  bool onlyAnswers = false;
  std::optional<Clock::time_point> deadline;

 private:
  CDrawingWindowCore& m_core;
  CCountingDisplay& m_display;
  int m_fds[2] = {-1, -1};
  std::string m_queued;
};

class DisplayLoopTest : public testing::Test {
 protected:
  DisplayLoopTest() : settings(&store), core(settings, display, true), connection(core, display) {
    CatchEndingSignals();
    settings.m_timerInterval = 1;
    EXPECT_TRUE(core.Start(32, 24));
  }

  CFakeProfileStore store;
  SaverSettings settings;
  CCountingDisplay display;
  CDrawingWindowCore core;
  CPipeConnection connection;
};

TEST_F(DisplayLoopTest, QueuedEventsComeBeforeTicksAndTheLoopEndsWhenTheDisplayIsFinished) {
  connection.Queue("ab");
  settings.m_timerInterval = 20;
  core.Reset();
  connection.Send("c");
  connection.finishAfter = 4;
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  // The start and the reset erased once each; the queued events came before the first tick
  // was due, the one that arrived was read at the first wait.
  EXPECT_EQ(connection.log, "a@2 b@2 c@2 ");
  EXPECT_EQ(display.contexts, 4);
}

TEST_F(DisplayLoopTest, AKeyEndsTheLoopBeforeAnotherTick) {
  connection.Queue("k");
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  EXPECT_TRUE(core.CloseRequested());
  EXPECT_EQ(display.contexts, 1);
}

TEST_F(DisplayLoopTest, TheDisplaysOwnDeadlinePassesBetweenTicks) {
  settings.m_timerInterval = 100;
  core.Reset();  // the slower timer
  connection.deadline = IDisplayConnection::Clock::now() + std::chrono::milliseconds(5);
  connection.finishAfter = 3;  // the start, the reset's erase, one tick
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  EXPECT_EQ(connection.log, "deadline@2 ");
}

// While the display owes only answers, what arrives is read when the wait ends (at the display's
// own deadline, or at the longest wait without reading when no tick comes for a minute) instead
// of waking the loop by itself; otherwise at once.
struct SAnswerCase {
  const char* name;
  bool onlyAnswers;
  bool deadline;
  const char* log;
};

void PrintTo(const SAnswerCase& test, std::ostream* out) {
  *out << test.name;
}

class DisplayLoopAnswerTest : public DisplayLoopTest,
                              public testing::WithParamInterface<SAnswerCase> {};

TEST_P(DisplayLoopAnswerTest, AKeyIsReadWhenTheWaitEnds) {
  settings.m_timerInterval = 60000;
  core.Reset();
  connection.onlyAnswers = GetParam().onlyAnswers;
  if (GetParam().deadline) {
    connection.deadline = IDisplayConnection::Clock::now() + std::chrono::milliseconds(20);
  }
  connection.Send("k");
  const auto start = IDisplayConnection::Clock::now();
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  EXPECT_EQ(connection.log, GetParam().log);
  EXPECT_TRUE(core.CloseRequested());
  // A guard against a hang, not a measure.
  EXPECT_LT(IDisplayConnection::Clock::now() - start, std::chrono::seconds(30));
}

INSTANTIATE_TEST_SUITE_P(
    Waits, DisplayLoopAnswerTest,
    testing::Values(SAnswerCase{"OnlyAnswersUntilTheDeadline", true, true, "k@2 "},
                    SAnswerCase{"InputUntilTheDeadline", false, true, "read-early k@2 "},
                    SAnswerCase{"OnlyAnswersWithNoTickForAMinute", true, false, "k@2 "}),
    [](const testing::TestParamInfo<SAnswerCase>& info) { return std::string(info.param.name); });

TEST_F(DisplayLoopTest, AResetRequestStartsAFreshFigure) {
  settings.m_timerInterval = 60000;
  core.Reset();
  kill(getpid(), SIGUSR1);  // blocked until the loop waits
  connection.finishAfter = 3;
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  // The fresh figure erased once more; no tick was due.
  EXPECT_EQ(display.contexts, 3);
}

TEST_F(DisplayLoopTest, ALostConnectionEndsTheLoop) {
  for (const int fault : {0, 1, 2}) {
    CPipeConnection broken(core, display);
    broken.lost = fault == 0;
    broken.failFlush = fault == 1;
    broken.failRead = fault == 2;
    broken.Send("x");
    broken.finishAfter = 1000000;
    EXPECT_EQ(RunDisplayLoop(broken, core), 0) << fault;
  }
  EXPECT_FALSE(core.CloseRequested());
}

// Last in the file and alone in its process: an ending signal stays for the process's life.
TEST_F(DisplayLoopTest, AnEndingSignalEndsTheLoopAndIsKept) {
  kill(getpid(), SIGTERM);
  EXPECT_EQ(RunDisplayLoop(connection, core), 0);
  EXPECT_EQ(EndingSignal(), SIGTERM);
  EXPECT_FALSE(core.CloseRequested());
}

}  // namespace
