#include "PrivateBus.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

namespace {
pid_t Spawn(std::vector<std::string> args, int stdoutFd) {
  const pid_t pid = fork();
  if (pid == 0) {
    // A test that crashes must not leave a daemon holding its output open.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    dup2(stdoutFd, 1);
    std::vector<char*> argv;
    for (auto& arg : args) {
      argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(stdoutFd);
  return pid;
}

constexpr const char* kMock = "org.freedesktop.DBus.Mock";
}  // namespace

CPrivateBus::CPrivateBus() {
  int out[2];
  EXPECT_EQ(pipe(out), 0);
  m_daemon = Spawn({"dbus-daemon", "--session", "--nofork", "--print-address"}, out[1]);
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

void CPrivateBus::StopMocks() {
  for (pid_t pid : m_mocks) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  m_mocks.clear();
}

void CPrivateBus::Stop() {
  m_client = sd_bus_flush_close_unref(m_client);
  m_mocks.push_back(m_daemon);
  StopMocks();
}

void CPrivateBus::StartMock(const std::vector<std::string>& args, const char* name) {
  std::vector<std::string> command = {"/usr/bin/python3", "-m", "dbusmock"};
  command.insert(command.end(), args.begin(), args.end());
  m_mocks.push_back(Spawn(command, open("/dev/null", O_WRONLY)));
  int owned = 0;
  for (int tries = 0; tries < 500 && !owned; ++tries) {
    Reply reply = Call(m_client, nullptr, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                       "org.freedesktop.DBus", "NameHasOwner", "s", name);
    sd_bus_message_read(reply.get(), "b", &owned);
    usleep(owned ? 0 : 20000);
  }
  ASSERT_TRUE(owned) << "the stand-in for " << name << " did not start";
}

bool PumpUntil(CBusConnection* watcher, const std::function<bool()>& done,
               const std::vector<sd_bus*>& clients) {
  for (int turns = 0; turns < 250; ++turns) {
    if (watcher != nullptr) {
      // What the watcher's turn queued goes out before the test's next step.
      watcher->BeforeWait();
    }
    if (done()) {
      return true;
    }
    std::vector<pollfd> fds;
    for (sd_bus* client : clients) {
      while (sd_bus_process(client, nullptr) > 0) {
      }
      sd_bus_flush(client);
      fds.push_back({sd_bus_get_fd(client), static_cast<short>(sd_bus_get_events(client)), 0});
    }
    if (watcher != nullptr) {
      fds.push_back({watcher->Fd(), watcher->Events(), 0});
    }
    poll(fds.data(), fds.size(), 20);
    if (watcher != nullptr && !watcher->Process(fds.back().revents)) {
      return done();
    }
  }
  return false;
}

Reply Call(sd_bus* client, CBusConnection* watcher, const char* name, const char* path,
           const char* interface, const char* method, const char* types, ...) {
  Reply reply(nullptr, sd_bus_message_unref);
  sd_bus_slot* slot = nullptr;
  va_list args;
  va_start(args, types);
  sd_bus_call_method_asyncv(
      client, &slot, name, path, interface, method,
      [](sd_bus_message* m, void* reply, sd_bus_error*) {
        static_cast<Reply*>(reply)->reset(sd_bus_message_ref(m));
        return 0;
      },
      &reply, types, args);
  va_end(args);
  EXPECT_TRUE(PumpUntil(watcher, [&] { return reply != nullptr; }, {client})) << method;
  sd_bus_slot_unref(slot);
  if (reply && sd_bus_message_is_method_error(reply.get(), nullptr)) {
    reply.reset();
  }
  return reply;
}

void AddMockMethod(sd_bus* client, const char* name, const char* path, const char* interface,
                   const char* method, const char* in, const char* out, const char* code) {
  EXPECT_TRUE(Call(client, nullptr, name, path, kMock, "AddMethod", "sssss", interface, method, in,
                   out, code))
      << method;
}

void EmitFromMock(sd_bus* client, const char* name, const char* path, const char* interface,
                  const char* signal, uint32_t value) {
  EXPECT_TRUE(Call(client, nullptr, name, path, kMock, "EmitSignal", "sssav", interface, signal,
                   "u", 1, "u", value))
      << signal;
}
