#include "PrivateBus.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

namespace {
pid_t Spawn(std::vector<std::string> args, int stdoutFd) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (stdoutFd >= 0) {
      dup2(stdoutFd, 1);
    }
    std::vector<char*> argv;
    for (auto& arg : args) {
      argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void End(pid_t pid) {
  if (pid > 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
}

constexpr const char* kMock = "org.freedesktop.DBus.Mock";
}  // namespace

CPrivateBus::CPrivateBus() {
  int out[2];
  EXPECT_EQ(pipe(out), 0);
  m_daemon = Spawn({"dbus-daemon", "--session", "--nofork", "--print-address"}, out[1]);
  close(out[1]);
  std::string address;
  char c = 0;
  while (read(out[0], &c, 1) == 1 && c != '\n') {
    address += c;
  }
  close(out[0]);
  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
  EXPECT_GE(sd_bus_open_user(&m_client), 0) << address;
}

CPrivateBus::~CPrivateBus() {
  Stop();
}

void CPrivateBus::Stop() {
  for (sd_bus* bus : m_others) {
    sd_bus_flush_close_unref(bus);
  }
  m_others.clear();
  m_client = sd_bus_flush_close_unref(m_client);
  for (pid_t mock : m_mocks) {
    End(mock);
  }
  m_mocks.clear();
  End(m_daemon);
  m_daemon = -1;
}

sd_bus* CPrivateBus::NewClient() {
  sd_bus* bus = nullptr;
  EXPECT_GE(sd_bus_open_user(&bus), 0);
  m_others.push_back(bus);
  return bus;
}

void CPrivateBus::StartMock(const std::vector<std::string>& args, const std::string& name) {
  std::vector<std::string> command = {"/usr/bin/python3", "-m", "dbusmock"};
  command.insert(command.end(), args.begin(), args.end());
  const int quiet = open("/dev/null", O_WRONLY);
  m_mocks.push_back(Spawn(command, quiet));
  close(quiet);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    int owned = 0;
    sd_bus_message* reply = nullptr;
    if (sd_bus_call_method(m_client, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s",
                           name.c_str()) >= 0) {
      sd_bus_message_read(reply, "b", &owned);
    }
    sd_bus_message_unref(reply);
    if (owned) {
      return;
    }
    usleep(20000);
  }
  ADD_FAILURE() << "the stand-in for " << name << " did not start";
}

bool PumpUntil(const std::vector<sd_bus*>& clients, CBusConnection* watcher,
               const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) {
      return false;
    }
    std::vector<pollfd> fds;
    for (sd_bus* client : clients) {
      while (sd_bus_process(client, nullptr) > 0) {
      }
      sd_bus_flush(client);
      fds.push_back({sd_bus_get_fd(client), static_cast<short>(sd_bus_get_events(client)), 0});
    }
    if (watcher != nullptr) {
      watcher->BeforeWait();
      fds.push_back({watcher->Fd(), watcher->Events(), 0});
    }
    poll(fds.data(), fds.size(), 20);
    if (watcher != nullptr && !watcher->Process(fds.back().revents)) {
      return done();
    }
  }
  // What the watcher's turn queued goes out before the test's next step.
  if (watcher != nullptr) {
    watcher->BeforeWait();
  }
  return true;
}

Reply CallMock(sd_bus* client, const char* name, const char* path, const char* interface,
               const char* method, const char* types, ...) {
  sd_bus_message* call = nullptr;
  sd_bus_message* reply = nullptr;
  va_list args;
  va_start(args, types);
  sd_bus_message_new_method_call(client, &call, name, path, interface, method);
  const int appended = sd_bus_message_appendv(call, types, args);
  va_end(args);
  if (appended < 0 || sd_bus_call(client, call, 0, nullptr, &reply) < 0) {
    reply = nullptr;
  }
  sd_bus_message_unref(call);
  return Reply(reply, [](sd_bus_message* m) { sd_bus_message_unref(m); });
}

void AddMockMethod(sd_bus* client, const char* name, const char* path, const char* interface,
                   const char* method, const char* in, const char* out, const char* code) {
  EXPECT_TRUE(
      CallMock(client, name, path, kMock, "AddMethod", "sssss", interface, method, in, out, code))
      << method;
}

void EmitFromMock(sd_bus* client, const char* name, const char* path, const char* interface,
                  const char* signal, uint32_t value) {
  EXPECT_TRUE(CallMock(client, name, path, kMock, "EmitSignal", "sssav", interface, signal, "u", 1,
                       "u", value))
      << signal;
}

std::vector<std::string> MockCalls(sd_bus* client, const char* name, const char* path) {
  std::vector<std::string> calls;
  Reply reply = CallMock(client, name, path, kMock, "GetCalls", "");
  if (!reply || sd_bus_message_enter_container(reply.get(), 'a', "(tsav)") < 0) {
    ADD_FAILURE() << "no call log";
    return calls;
  }
  while (sd_bus_message_enter_container(reply.get(), 'r', "tsav") > 0) {
    uint64_t stamp = 0;
    const char* method = nullptr;
    sd_bus_message_read(reply.get(), "ts", &stamp, &method);
    std::string call = method;
    sd_bus_message_enter_container(reply.get(), 'a', "v");
    char type = 0;
    const char* contents = nullptr;
    if (sd_bus_message_peek_type(reply.get(), &type, &contents) > 0) {
      sd_bus_message_enter_container(reply.get(), 'v', contents);
      union {
        uint32_t u;
        uint64_t t;
        const char* s;
      } value{};
      if (contents[0] == 'u' || contents[0] == 't' || contents[0] == 's') {
        sd_bus_message_read_basic(reply.get(), contents[0], &value);
        call += " " + (contents[0] == 'u'   ? std::to_string(value.u)
                       : contents[0] == 't' ? std::to_string(value.t)
                                            : std::string(value.s));
      } else {
        sd_bus_message_skip(reply.get(), contents);
      }
      sd_bus_message_exit_container(reply.get());
      while (sd_bus_message_skip(reply.get(), nullptr) > 0) {
      }
    }
    sd_bus_message_exit_container(reply.get());
    sd_bus_message_exit_container(reply.get());
    calls.push_back(call);
  }
  return calls;
}
