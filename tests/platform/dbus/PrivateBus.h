#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

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
  ~CPrivateBus() { Stop(); }
  // Starts `python3 -m dbusmock ARGS...` and waits until it owns NAME.
  void StartMock(const std::vector<std::string>& args, const char* name);
  void StopMocks();
  void Stop();
  sd_bus* Client() const { return m_client; }

 private:
  pid_t m_daemon = -1;
  std::vector<pid_t> m_mocks;
  sd_bus* m_client = nullptr;
};

// A private bus, the watcher's connection to it and what the watcher heard.
class PrivateBusTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session); }

  CPrivateBus bus;
  std::unique_ptr<CBusConnection> session = CBusConnection::Open(CBusConnection::EBus::Session);
  CRecordingEvents events;
};

using Reply = std::unique_ptr<sd_bus_message, sd_bus_message* (*)(sd_bus_message*)>;

// Gives the watcher's connection and CLIENTS their turns until DONE, for a few seconds at most.
bool PumpUntil(CBusConnection* watcher, const std::function<bool()>& done,
               const std::vector<sd_bus*>& clients = {});

// Calls a method and waits for the reply, giving WATCHER (if any) its turns meanwhile; null on an
// error.
Reply Call(sd_bus* client, CBusConnection* watcher, const char* name, const char* path,
           const char* interface, const char* method, const char* types, ...);
// The stand-in at PATH gets METHOD, whose Python CODE sets ret from args.
void AddMockMethod(sd_bus* client, const char* name, const char* path, const char* interface,
                   const char* method, const char* in, const char* out, const char* code);
// The stand-in at PATH emits SIGNAL with one uint32 argument.
void EmitFromMock(sd_bus* client, const char* name, const char* path, const char* interface,
                  const char* signal, uint32_t value);
