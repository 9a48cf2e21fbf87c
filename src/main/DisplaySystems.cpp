// The one place that knows which display systems this build has: each is a line of the table
// (as SDL and GLFW list their video back ends), so either can be built alone.
#include "main/DisplaySystems.h"

#if SPIRANDEL_HAVE_X11
#include "platform/x11/X11Session.h"
#endif
#if SPIRANDEL_HAVE_WAYLAND
#include "platform/wayland/WaylandSession.h"
#endif

namespace {

#if SPIRANDEL_HAVE_X11
std::unique_ptr<ISaverRun> ConnectX11(SaverSettings& settings, bool& ready) {
  int exitCode = 0;
  auto session = CX11Session::Open(exitCode);
  ready = session && session->CreateFullScreen(settings) != 0;
  // An X display that cannot be opened has been reported already: none other follows it.
  return std::make_unique<CSaverRun<CX11Session>>(std::move(session));
}
#endif

#if SPIRANDEL_HAVE_WAYLAND
std::unique_ptr<ISaverRun> ConnectWayland(SaverSettings& settings, bool& ready) {
  auto session = CWaylandSession::Connect();
  if (!session) {
    return nullptr;
  }
  ready = session->CreateFullScreen(settings) != 0;
  return std::make_unique<CSaverRun<CWaylandSession>>(std::move(session));
}
#endif

constexpr SDisplaySystem kBuilt[] = {
#if SPIRANDEL_HAVE_WAYLAND
    {"wayland", ConnectWayland},
#endif
#if SPIRANDEL_HAVE_X11
    {"x11", ConnectX11},
#endif
};

}  // namespace

std::span<const SDisplaySystem> BuiltDisplaySystems() {
  return kBuilt;
}
