#include "platform/wayland/WaylandSession.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/DisplayChoice.h"
#include "app/KeyMap.h"
#include "platform/posix/SignalsAndWait.h"

namespace {

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
  if (m_pointer != nullptr) {
    wl_pointer_destroy(m_pointer);
  }
  if (m_keyboard != nullptr) {
    wl_keyboard_destroy(m_keyboard);
  }
  if (m_seat != nullptr) {
    wl_seat_destroy(m_seat);
  }
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
  } else if (kind == wl_seat_interface.name && m_seat == nullptr) {
    m_seat = Bind<wl_seat>(m_registry, name, &wl_seat_interface, version, 5);
    static const wl_seat_listener kListener{
        [](void* data, wl_seat*, std::uint32_t capabilities) {
          static_cast<CWaylandSession*>(data)->SeatCapabilities(capabilities);
        },
        [](void*, wl_seat*, const char*) {}};
    wl_seat_add_listener(m_seat, &kListener, this);
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
  // The figure's own output going away closes its layer surface, which ends the run.
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
  if (rescaled && m_figure && m_figure->Started() && output.output == m_figureOutput) {
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
  auto surface = m_globals.layerShell != nullptr ? CWaylandSurface::CreateLayer(m_globals, nullptr)
                                                 : CWaylandSurface::CreateToplevel(m_globals);
  m_figure = std::make_unique<CWaylandSaverWindow>(settings, std::move(surface));
  CWaylandSurface& figure = m_figure->Surface();
  figure.m_onEnter = [this](wl_output* output) { FigureEntered(output); };
  figure.m_onClosed = [this] { m_closed = true; };
  figure.m_onConfigure = [this](int, int) {
    if (m_figure->Started()) {
      m_figure->Show(m_figure->Scale());
    } else if (m_outputs.size() == 1) {
      // With one output there is no choice to wait for: the first point comes a frame sooner.
      FigureEntered(m_outputs.front()->output);
    }
  };
  return 1;
}

void CWaylandSession::FigureEntered(wl_output* output) {
  if (m_figure->Started()) {
    return;
  }
  // Until now the figure's surface showed black: the engine starts at the size in pixels of
  // the output the compositor chose.
  m_figureOutput = output;
  const SOutput* known = OutputOf(output);
  if (!m_figure->Show(known != nullptr ? known->scale : 1)) {
    m_figure->PostClose();
  } else if (m_pointerSurface != nullptr && m_figure->Core().Saver() != nullptr) {
    // The pointer came before the engine: where it came is the start.
    m_figure->Core().Saver()->m_mouseStartX = m_enterX;
    m_figure->Core().Saver()->m_mouseStartY = m_enterY;
  }
  CoverOtherOutputs();
}

void CWaylandSession::CoverOtherOutputs() {
  if (m_globals.layerShell == nullptr || m_figureOutput == nullptr) {
    return;
  }
  for (auto& output : m_outputs) {
    if (output->output != m_figureOutput && !output->cover) {
      output->cover = CWaylandSurface::CreateLayer(m_globals, output->output);
      // A cover the compositor closes stays closed: its output is going away.
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

void CWaylandSession::SeatCapabilities(std::uint32_t capabilities) {
  const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
  if (pointer && m_pointer == nullptr) {
    m_pointer = wl_seat_get_pointer(m_seat);
    static const wl_pointer_listener kListener{
        .enter =
            [](void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
               wl_fixed_t x, wl_fixed_t y) {
              // No cursor over the saver.
              wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
              static_cast<CWaylandSession*>(data)->PointerAt(surface, x, y, true);
            },
        .leave =
            [](void* data, wl_pointer*, std::uint32_t, wl_surface*) {
              static_cast<CWaylandSession*>(data)->m_pointerSurface = nullptr;
            },
        .motion =
            [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
              auto* self = static_cast<CWaylandSession*>(data);
              self->PointerAt(self->m_pointerSurface, x, y, false);
            },
        .button =
            [](void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t,
               std::uint32_t state) {
              auto* self = static_cast<CWaylandSession*>(data);
              if (state == WL_POINTER_BUTTON_STATE_PRESSED && self->m_figure &&
                  self->m_figure->Core().Saver() != nullptr) {
                self->m_figure->Core().Saver()->OnButtonDown();
              }
            },
        // The wheel is no button press, as on Windows.
        .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
        .frame = [](void*, wl_pointer*) {},
        .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
        .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
        .axis_discrete = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
        .axis_value120 = nullptr};
    wl_pointer_add_listener(m_pointer, &kListener, this);
  }
  const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  if (keyboard && m_keyboard == nullptr) {
    m_keyboard = wl_seat_get_keyboard(m_seat);
    static const wl_keyboard_listener kListener{
        .keymap =
            [](void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
               std::uint32_t size) {
              auto* self = static_cast<CWaylandSession*>(data);
              if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
                self->m_keys.LoadKeymap(fd, size);
              } else {
                close(fd);
              }
            },
        // Keys already down when a surface gets the keyboard are no presses, and their
        // releases are not either: the saver acts on presses only.
        .enter = [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},
        .leave = [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
        .key =
            [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
               std::uint32_t state) {
              if (state == WL_KEYBOARD_KEY_STATE_PRESSED) {
                static_cast<CWaylandSession*>(data)->KeyPressed(key);
              }
            },
        .modifiers =
            [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
               std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
              static_cast<CWaylandSession*>(data)->m_keys.UpdateModifiers(depressed, latched,
                                                                          locked, group);
            },
        .repeat_info = [](void*, wl_keyboard*, std::int32_t, std::int32_t) {}};
    wl_keyboard_add_listener(m_keyboard, &kListener, this);
  }
}

void CWaylandSession::PointerAt(wl_surface* surface, wl_fixed_t x, wl_fixed_t y, bool entering) {
  if (surface == nullptr) {
    return;
  }
  const std::int32_t scale = ScaleOfSurface(surface);
  const std::int32_t pixelX = PointerPixel(wl_fixed_to_double(x), scale);
  const std::int32_t pixelY = PointerPixel(wl_fixed_to_double(y), scale);
  CSaverWnd* saver = m_figure ? m_figure->Core().Saver() : nullptr;
  if (entering) {
    // A surface appearing under the pointer is no movement: where the pointer is becomes
    // the start. Coming onto another of our surfaces is: it crossed to another output.
    const bool crossed = m_enteredSurface != nullptr && surface != m_enteredSurface;
    m_pointerSurface = surface;
    m_enteredSurface = surface;
    m_enterX = pixelX;
    m_enterY = pixelY;
    if (crossed && m_figure) {
      m_figure->PostClose();
    } else if (saver != nullptr) {
      saver->m_mouseStartX = pixelX;
      saver->m_mouseStartY = pixelY;
    }
    return;
  }
  if (saver != nullptr) {
    saver->OnMouseMove(pixelX, pixelY);
  }
}

void CWaylandSession::KeyPressed(std::uint32_t key) {
  CSaverWnd* saver = m_figure ? m_figure->Core().Saver() : nullptr;
  if (saver == nullptr) {
    return;
  }
  const std::uint32_t virtualKey = m_keys.VirtualKey(key);
  if (IsSystemKey(virtualKey, m_keys.AltDown(), m_keys.ControlDown())) {
    saver->OnSysKeyDown(virtualKey);
  } else {
    saver->OnKeyDown(virtualKey);
  }
}

bool CWaylandSession::Finished() const {
  return m_closed || m_lost || !m_figure || m_figure->CloseRequested();
}

bool CWaylandSession::Dispatch() {
  if (wl_display_dispatch_pending(m_display) < 0) {
    m_lost = true;
  }
  return !m_lost;
}

int CWaylandSession::Run() {
  if (!m_figure) {
    return 0;
  }
  const int fd = wl_display_get_fd(m_display);
  while (Dispatch() && !Finished()) {
    // Events already read come first; the read is prepared only with none queued.
    if (wl_display_prepare_read(m_display) != 0) {
      continue;
    }
    const auto cancel = [this] { wl_display_cancel_read(m_display); };
    if (EndingSignal() != 0) {
      cancel();
      break;
    }
    if (TakeResetRequest()) {
      cancel();
      if (m_figure->Started() && !m_figure->StartAfresh()) {
        m_figure->PostClose();
      }
      continue;
    }
    const auto now = CWindowTimers::Clock::now();
    if (const auto id = m_figure->Core().Timers().TakeDue(now)) {
      cancel();
      m_figure->Core().DeliverTimer(*id);
      continue;
    }
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
      cancel();
      m_lost = true;
      break;
    }
    timespec timeout{};
    const timespec* wait = nullptr;
    if (const auto due = m_figure->Core().Timers().NextDue()) {
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*due - now).count();
      timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
      timeout.tv_nsec = static_cast<long>(ns % 1000000000);
      wait = &timeout;
    }
    if (WaitForInputOrSignal(fd, wait)) {
      if (wl_display_read_events(m_display) < 0) {
        m_lost = true;
      }
    } else {
      cancel();
    }
  }
  if (m_figure) {
    m_figure->Core().Stop();
  }
  return 0;
}
