#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "settings/SaverSettings.h"

// A display system's run of the saver, for the program that starts it.
class ISaverRun {
 public:
  virtual ~ISaverRun() = default;
  // The event loop until the saver ends; the process exit code.
  virtual int Run() = 0;
};

// One display system the saver can run full screen on, by its name in SPIRANDEL_DISPLAY.
struct SDisplaySystem {
  std::string_view name;
  // Null when no server of this kind answers, and the next system is tried. Otherwise the
  // server answered: ready says whether the saver's windows exist; when not, a line on
  // stderr said why.
  std::unique_ptr<ISaverRun> (*connect)(SaverSettings& settings, bool& ready);
};

// The display systems this build has, in no particular order.
std::span<const SDisplaySystem> BuiltDisplaySystems();

// The saver as a session's own: the run of a session object with a Run() of its own.
template <class Session>
class CSaverRun final : public ISaverRun {
 public:
  explicit CSaverRun(std::unique_ptr<Session> session) : m_session(std::move(session)) {}
  int Run() override { return m_session ? m_session->Run() : 0; }

 private:
  std::unique_ptr<Session> m_session;
};
