#include "main/IdleRun.h"

#if SPIRANDEL_HAVE_WAYLAND
#include "platform/wayland/WaylandIdleSource.h"
#endif
#if SPIRANDEL_HAVE_X11
#include "platform/x11/X11IdleSource.h"
#endif

namespace {

// A source that is its own connection joins the loop as one.
template <typename Source>
bool Take(SIdleSession& session, std::unique_ptr<Source> source) {
  if (!source)
    return false;
  std::shared_ptr<Source> shared(std::move(source));
  session.connections.push_back(shared);
  session.source = shared;
  return true;
}

}  // namespace

SIdleSession OpenIdleSession(IIdleEvents& events) {
  SIdleSession session;
  (void)events;
#if SPIRANDEL_HAVE_WAYLAND
  if (Take(session, CWaylandIdleSource::Connect(events)))
    return session;
#endif
#if SPIRANDEL_HAVE_X11
  if (Take(session, CX11IdleSource::Connect(events)))
    return session;
#endif
  return session;
}
