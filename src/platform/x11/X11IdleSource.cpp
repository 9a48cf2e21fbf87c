#include "platform/x11/X11IdleSource.h"

#include <X11/Xlib.h>
#include <X11/extensions/sync.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct CX11IdleSource::SState {
  Display* display = nullptr;
  int eventBase = 0;
  XSyncCounter idleTime = None;
  XSyncAlarm alarm = None;
  std::int64_t waitMilliseconds = 0;
  // Which edge the alarm waits for: the wait passed, or input after it.
  bool waitingForReturn = false;
};

namespace {

XSyncValue ValueOf(std::int64_t milliseconds) {
  XSyncValue value;
  XSyncIntsToValue(&value, static_cast<unsigned>(milliseconds & 0xffffffff),
                   static_cast<int>(milliseconds >> 32));
  return value;
}

// Positive: the counter climbs to the wait; negative: input drops it below the wait again.
void SetAlarm(CX11IdleSource::SState& state, bool untilReturn) {
  XSyncAlarmAttributes attributes{};
  attributes.trigger.counter = state.idleTime;
  attributes.trigger.value_type = XSyncAbsolute;
  attributes.trigger.wait_value = ValueOf(state.waitMilliseconds);
  attributes.trigger.test_type = untilReturn ? XSyncNegativeTransition : XSyncPositiveComparison;
  XSyncIntToValue(&attributes.delta, 0);
  attributes.events = True;
  const unsigned long mask = XSyncCACounter | XSyncCAValueType | XSyncCAValue | XSyncCATestType |
                             XSyncCADelta | XSyncCAEvents;
  if (state.alarm == None) {
    state.alarm = XSyncCreateAlarm(state.display, mask, &attributes);
  } else {
    XSyncChangeAlarm(state.display, state.alarm, mask, &attributes);
  }
  state.waitingForReturn = untilReturn;
}

// Xlib cannot go on after its connection is lost and ends the process from here; for the
// watcher that is the session's end, a normal one.
int EndWithTheSession(Display*) {
  std::fputs("spirandel-idle: the X display has gone: the session has ended\n", stderr);
  std::exit(0);
}

}  // namespace

std::unique_ptr<CX11IdleSource> CX11IdleSource::Connect(IIdleEvents& events) {
  XSetIOErrorHandler(EndWithTheSession);
  auto state = std::make_unique<SState>();
  state->display = XOpenDisplay(nullptr);
  if (!state->display)
    return nullptr;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (XSyncQueryExtension(state->display, &state->eventBase, &errorBase) &&
      XSyncInitialize(state->display, &major, &minor)) {
    int count = 0;
    XSyncSystemCounter* counters = XSyncListSystemCounters(state->display, &count);
    for (int i = 0; i < count; ++i) {
      if (std::strcmp(counters[i].name, "IDLETIME") == 0)
        state->idleTime = counters[i].counter;
    }
    if (counters)
      XSyncFreeSystemCounterList(counters);
  }
  return std::unique_ptr<CX11IdleSource>(new CX11IdleSource(events, std::move(state)));
}

CX11IdleSource::CX11IdleSource(IIdleEvents& events, std::unique_ptr<SState> state)
    : m_events(events), m_state(std::move(state)) {}

CX11IdleSource::~CX11IdleSource() {
  StopWatching();
  XCloseDisplay(m_state->display);
}

bool CX11IdleSource::CanWatch() const {
  return m_state->idleTime != None;
}

void CX11IdleSource::Watch(std::chrono::seconds wait) {
  if (!CanWatch())
    return;
  m_state->waitMilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count();
  SetAlarm(*m_state, false);
}

void CX11IdleSource::StopWatching() {
  if (m_state->alarm != None)
    XSyncDestroyAlarm(m_state->display, m_state->alarm);
  m_state->alarm = None;
}

SSessionBlockers CX11IdleSource::Blockers() {
  // XScreenSaver's daemon marks a window of its own, a child of the root, with its version:
  // that is how its own command finds it.
  SSessionBlockers blockers;
  Display* display = m_state->display;
  const Atom version = XInternAtom(display, "_SCREENSAVER_VERSION", True);
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (version == None ||
      !XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    return blockers;
  }
  for (unsigned i = 0; i < count && blockers.otherSaver.empty(); ++i) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], version, 0, 0, False, AnyPropertyType, &type,
                           &format, &items, &after, &data) == Success &&
        type != None) {
      blockers.otherSaver = "XScreenSaver";
    }
    if (data)
      XFree(data);
  }
  if (children)
    XFree(children);
  return blockers;
}

int CX11IdleSource::Fd() const {
  return ConnectionNumber(m_state->display);
}

void CX11IdleSource::BeforeWait() {
  HandleQueued();
  XFlush(m_state->display);
}

bool CX11IdleSource::Process(short revents) {
  if (revents & (POLLERR | POLLHUP | POLLNVAL))
    return false;
  XEventsQueued(m_state->display, QueuedAfterReading);
  HandleQueued();
  return true;
}

void CX11IdleSource::HandleQueued() {
  SState& state = *m_state;
  while (XPending(state.display) > 0) {
    XEvent event;
    XNextEvent(state.display, &event);
    if (event.type != state.eventBase + XSyncAlarmNotify)
      continue;
    const auto& notify = reinterpret_cast<const XSyncAlarmNotifyEvent&>(event);
    if (notify.alarm != state.alarm || state.alarm == None)
      continue;
    if (notify.state == XSyncAlarmDestroyed)
      continue;
    // Arm the other edge before telling, so that nothing that happens meanwhile is missed.
    const bool cameBack = state.waitingForReturn;
    SetAlarm(state, !cameBack);
    if (cameBack) {
      m_events.OnActive();
    } else {
      m_events.OnIdle();
    }
  }
}
