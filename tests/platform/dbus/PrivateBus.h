#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "idle/IdleSource.h"
#include "platform/dbus/BusConnection.h"

struct sd_bus_message;

// What the watcher heard, one letter an event: I(dle), A(ctive), S(ession changed).
struct CRecordingEvents : IIdleEvents {
  std::string heard;
  void OnIdle() override { heard += 'I'; }
  void OnActive() override { heard += 'A'; }
  void OnSessionChanged() override { heard += 'S'; }
};

// A dbus-daemon of the test's own, serving as both the session and the system bus, and
// python-dbusmock stand-ins for the services on it.
class CPrivateBus {
 public:
  CPrivateBus();
  ~CPrivateBus();
  // Starts `python3 -m dbusmock ARGS...` and waits until it owns NAME.
  void StartMock(const std::vector<std::string>& args, const std::string& name);
  void Stop();
  sd_bus* Client() const { return m_client; }
  // A second client, for a test that needs two of them.
  sd_bus* NewClient();

 private:
  pid_t m_daemon = -1;
  std::vector<pid_t> m_mocks;
  sd_bus* m_client = nullptr;
  std::vector<sd_bus*> m_others;
};

using Reply = std::unique_ptr<sd_bus_message, void (*)(sd_bus_message*)>;

// Runs CONNECTIONS' turns until DONE or a few seconds passed; false on the timeout.
bool PumpUntil(const std::vector<sd_bus*>& clients, CBusConnection* watcher,
               const std::function<bool()>& done);

// Calls a method of the mock at PATH; the reply, or null on an error.
Reply CallMock(sd_bus* client, const char* name, const char* path, const char* interface,
               const char* method, const char* types, ...);
void AddMockMethod(sd_bus* client, const char* name, const char* path, const char* interface,
                   const char* method, const char* in, const char* out, const char* code);
// Emits a signal with one uint32 argument from the mock's object at PATH.
void EmitFromMock(sd_bus* client, const char* name, const char* path, const char* interface,
                  const char* signal, uint32_t value);
// The mock's log: "Method arg" for each call with a first argument of a basic type.
std::vector<std::string> MockCalls(sd_bus* client, const char* name, const char* path);
