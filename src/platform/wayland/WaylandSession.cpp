#include "platform/wayland/WaylandSession.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "platform/unix/SignalsAndWait.h"

namespace {

// How long a compositor with several outputs may take to say which one shows the figure
// before it goes on the first; sway says so within a frame or two of the first commit.
constexpr std::chrono::milliseconds kOutputWait{300};

template <class Interface>
Interface* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
                std::uint32_t offered, std::uint32_t wanted) {
  return static_cast<Interface*>(
      wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

}  // namespace

std::unique_ptr<CWaylandSession> CWaylandSession::Connect() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return nullptr;
  }
  std::unique_ptr<CWaylandSession> self(new CWaylandSession(display));
  self->m_globals.display = display;
  self->m_registry = wl_display_get_registry(display);
  static const wl_registry_listener kListener{
      [](void* data, wl_registry*, std::uint32_t name, const char* interface,
         std::uint32_t version) {
        static_cast<CWaylandSession*>(data)->AddGlobal(name, interface, version);
      },
      [](void* data, wl_registry*, std::uint32_t name) {
        static_cast<CWaylandSession*>(data)->RemoveGlobal(name);
      }};
  wl_registry_add_listener(self->m_registry, &kListener, self.get());
  // The globals, then what binding them sent (the outputs' scales, the seat's devices).
  if (wl_display_roundtrip(display) < 0 || wl_display_roundtrip(display) < 0) {
    return nullptr;
  }
  CatchEndingSignals();
  return self;
}

CWaylandSession::~CWaylandSession() {
  m_figure.reset();
  m_outputs.clear();
  m_seat.reset();
  if (m_globals.layerShell != nullptr) {
    zwlr_layer_shell_v1_destroy(m_globals.layerShell);
  }
  if (m_globals.wmBase != nullptr) {
    xdg_wm_base_destroy(m_globals.wmBase);
  }
  if (m_globals.shm != nullptr) {
    wl_shm_destroy(m_globals.shm);
  }
  if (m_globals.compositor != nullptr) {
    wl_compositor_destroy(m_globals.compositor);
  }
  if (m_registry != nullptr) {
    wl_registry_destroy(m_registry);
  }
  if (!m_lost) {
    wl_display_flush(m_display);
  }
  wl_display_disconnect(m_display);
}

void CWaylandSession::AddGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
  const std::string_view kind(interface);
  if (kind == wl_compositor_interface.name) {
    // Version 4 brings damage in buffer pixels.
    if (version >= 4) {
      m_globals.compositor =
          Bind<wl_compositor>(m_registry, name, &wl_compositor_interface, version, 4);
    }
  } else if (kind == wl_shm_interface.name) {
    m_globals.shm = Bind<wl_shm>(m_registry, name, &wl_shm_interface, version, 1);
  } else if (kind == zwlr_layer_shell_v1_interface.name) {
    m_globals.layerShell =
        Bind<zwlr_layer_shell_v1>(m_registry, name, &zwlr_layer_shell_v1_interface, version, 3);
  } else if (kind == xdg_wm_base_interface.name) {
    m_globals.wmBase = Bind<xdg_wm_base>(m_registry, name, &xdg_wm_base_interface, version, 2);
    static const xdg_wm_base_listener kListener{
        [](void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); }};
    xdg_wm_base_add_listener(m_globals.wmBase, &kListener, this);
  } else if (kind == wl_seat_interface.name && !m_seat) {
    m_seat = std::make_unique<CWaylandSeat>(
        Bind<wl_seat>(m_registry, name, &wl_seat_interface, version, 5),
        [this](wl_surface* surface) { return ScaleOfSurface(surface); });
  } else if (kind == wl_output_interface.name && version >= 2) {
    auto output = std::make_unique<SOutput>(
        name, Bind<wl_output>(m_registry, name, &wl_output_interface, version, 3));
    static const wl_output_listener kListener{
        [](void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
           const char*, const char*, std::int32_t) {},
        [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
        [](void* data, wl_output* output) {
          auto* self = static_cast<CWaylandSession*>(data);
          if (SOutput* known = self->OutputOf(output)) {
            self->OutputDone(*known);
          }
        },
        [](void* data, wl_output* output, std::int32_t scale) {
          if (SOutput* known = static_cast<CWaylandSession*>(data)->OutputOf(output)) {
            known->pendingScale = scale;
          }
        },
        nullptr,
        nullptr};
    wl_output_add_listener(output->output, &kListener, this);
    m_outputs.push_back(std::move(output));
  }
}

void CWaylandSession::RemoveGlobal(std::uint32_t name) {
  const auto gone = std::find_if(m_outputs.begin(), m_outputs.end(),
                                 [name](const auto& output) { return output->name == name; });
  if (gone == m_outputs.end()) {
    return;
  }
  // The figure's own output going away closes its layer surface, which ends the run, or
  // moves its toplevel, which then enters another output.
  if ((*gone)->output == m_figureOutput) {
    m_figureOutput = nullptr;
  }
  m_outputs.erase(gone);
}

CWaylandSession::SOutput::~SOutput() {
  cover.reset();
  if (wl_output_get_version(output) >= 3) {
    wl_output_release(output);
  } else {
    wl_output_destroy(output);
  }
}

CWaylandSession::SOutput* CWaylandSession::OutputOf(wl_output* output) {
  for (auto& known : m_outputs) {
    if (known->output == output) {
      return known.get();
    }
  }
  return nullptr;
}

void CWaylandSession::OutputDone(SOutput& output) {
  const bool rescaled = output.scale != output.pendingScale;
  output.scale = output.pendingScale;
  if (rescaled && m_figurePlaced && output.output == m_figureOutput) {
    m_figure->Show(output.scale);
  }
  CoverOtherOutputs();
}

int CWaylandSession::CreateFullScreen(SaverSettings& settings) {
  if (m_globals.compositor == nullptr || m_globals.shm == nullptr ||
      (m_globals.layerShell == nullptr && m_globals.wmBase == nullptr)) {
    std::fputs("spirandel: the Wayland compositor offers no full-screen surface\n", stderr);
    return 0;
  }
  m_figure = std::make_unique<CWaylandDrawingWindow>(settings,
                                                     CWaylandSurface::Create(m_globals, nullptr));
  CWaylandSurface& figure = m_figure->Surface();
  figure.m_onEnter = [this](wl_output* output) {
    m_figureSeen = true;
    FigureEntered(output);
  };
  figure.m_onClosed = [this] { m_closed = true; };
  figure.m_onConfigure = [this](int, int) { FigureConfigured(); };
  if (m_seat) {
    m_seat->ReportTo(&m_figure->Core());
  }
  return 1;
}

void CWaylandSession::FigureConfigured() {
  if (m_figurePlaced) {
    m_figure->Show(m_figure->Scale());
  } else if (m_outputs.size() <= 1) {
    // With one output there is no choice to wait for: the first point comes a frame sooner.
    FigureEntered(m_outputs.empty() ? nullptr : m_outputs.front()->output);
  } else if (!m_chooseOutputBy) {
    m_chooseOutputBy = Clock::now() + kOutputWait;
  }
}

std::optional<IDisplayConnection::Clock::time_point> CWaylandSession::Deadline() const {
  std::optional<Clock::time_point> focusLostBy;
  if (m_seat) {
    focusLostBy = m_seat->Deadline();
  }
  if (m_chooseOutputBy && focusLostBy) {
    return std::min(*m_chooseOutputBy, *focusLostBy);
  }
  return m_chooseOutputBy ? m_chooseOutputBy : focusLostBy;
}

void CWaylandSession::DeadlinePassed() {
  const Clock::time_point now = Clock::now();
  if (m_seat) {
    m_seat->DeadlinePassed(now);
  }
  if (!m_chooseOutputBy || now < *m_chooseOutputBy) {
    return;
  }
  m_chooseOutputBy.reset();
  if (!m_figurePlaced && !m_outputs.empty()) {
    FigureEntered(m_outputs.front()->output);
  }
}

void CWaylandSession::FigureEntered(wl_output* output) {
  if (m_figurePlaced) {
    FigureMoved(output);
    CoverOtherOutputs();
    return;
  }
  // Until now the figure's surface showed black: the engine starts at the size in pixels of
  // the output the compositor chose.
  m_figurePlaced = true;
  m_chooseOutputBy.reset();
  m_figureOutput = output;
  const SOutput* known = OutputOf(output);
  m_figure->Show(known != nullptr ? known->scale : 1);
  CoverOtherOutputs();
}

void CWaylandSession::FigureMoved(wl_output* output) {
  // Only a toplevel moves, once its output has gone; an enter for the output it is on
  // already is no move, nor is one for an output removed since.
  SOutput* known = OutputOf(output);
  if (m_globals.layerShell != nullptr || output == m_figureOutput || known == nullptr) {
    return;
  }
  m_figureOutput = output;
  known->cover.reset();
  if (known->scale != m_figure->Scale()) {
    m_figure->Show(known->scale);
  }
}

void CWaylandSession::CoverOtherOutputs() {
  // A compositor that never says where a surface is may not put a toplevel where it is asked
  // either: cage stacks every toplevel over the last, and a cover would hide the figure.
  if (m_figureOutput == nullptr || (m_globals.layerShell == nullptr && !m_figureSeen)) {
    return;
  }
  for (auto& output : m_outputs) {
    if (output->output != m_figureOutput && !output->cover) {
      output->cover = CWaylandSurface::Create(m_globals, output->output);
      // A layer cover the compositor closes stays closed: its output is going away. A
      // toplevel's close is a request from the user, as for the figure's.
      if (m_globals.layerShell == nullptr) {
        output->cover->m_onClosed = [this] { m_closed = true; };
      }
      output->cover->ShowBlack(output->scale);
    }
  }
}

std::int32_t CWaylandSession::ScaleOfSurface(wl_surface* surface) {
  if (m_figure && surface == m_figure->Surface().Surface()) {
    return m_figure->Scale();
  }
  for (const auto& output : m_outputs) {
    if (output->cover && output->cover->Surface() == surface) {
      return output->scale;
    }
  }
  return 1;
}

bool CWaylandSession::DispatchQueued() {
  if (m_figure) {
    m_figure->Surface().TakeReleases();
  }
  if (wl_display_dispatch_pending(m_display) < 0) {
    m_lost = true;
  }
  return !m_lost;
}

bool CWaylandSession::Read() {
  if (wl_display_read_events(m_display) < 0) {
    m_lost = true;
  }
  return !m_lost;
}

bool CWaylandSession::Flush() {
  if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
    m_lost = true;
  }
  return !m_lost;
}

int CWaylandSession::Run() {
  if (!m_figure) {
    return 0;
  }
  const int code = RunDisplayLoop(*this, m_figure->Core());
  m_figure->Core().Stop();
  return code;
}
