#include "platform/dbus/BusConnection.h"

#include <systemd/sd-bus.h>

#include <cstdint>

void SBusSlotRelease::operator()(sd_bus_slot* slot) const {
  sd_bus_slot_unref(slot);
}

std::unique_ptr<CBusConnection> CBusConnection::Open(EBus which) {
  sd_bus* bus = nullptr;
  // A connection of our own, never the thread's shared default: the watcher's classes and
  // a test's several clients each need to know exactly whose connection they are using.
  const int r = which == EBus::Session ? sd_bus_open_user(&bus) : sd_bus_open_system(&bus);
  if (r < 0) {
    return nullptr;
  }
  sd_bus_set_method_call_timeout(bus, std::chrono::microseconds(kCallTimeout).count());
  // Opening only starts the handshake; wait for it so that a bus that is not there is found
  // out here rather than at the first call.
  const char* name = nullptr;
  if (sd_bus_get_unique_name(bus, &name) < 0) {
    sd_bus_flush_close_unref(bus);
    return nullptr;
  }
  return std::unique_ptr<CBusConnection>(new CBusConnection(bus));
}

CBusConnection::~CBusConnection() {
  sd_bus_flush_close_unref(m_bus);
}

std::string CBusConnection::NameOwner(std::string_view name) const {
  const std::string wanted(name);
  sd_bus_message* reply = nullptr;
  const char* unique = nullptr;
  std::string owner;
  if (sd_bus_call_method(m_bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                         "org.freedesktop.DBus", "GetNameOwner", nullptr, &reply, "s",
                         wanted.c_str()) >= 0 &&
      sd_bus_message_read(reply, "s", &unique) >= 0) {
    owner = unique;
  }
  sd_bus_message_unref(reply);
  return owner;
}

std::string CBusConnection::UniqueName() const {
  const char* name = nullptr;
  return sd_bus_get_unique_name(m_bus, &name) >= 0 ? name : "";
}

int CBusConnection::Fd() const {
  return sd_bus_get_fd(m_bus);
}

short CBusConnection::Events() const {
  const int events = sd_bus_get_events(m_bus);
  return events < 0 ? POLLIN : static_cast<short>(events);
}

std::optional<IPolledSource::TimePoint> CBusConnection::Deadline() const {
  uint64_t usec = 0;
  if (sd_bus_get_timeout(m_bus, &usec) < 0 || usec == UINT64_MAX) {
    return std::nullopt;
  }
  // sd-bus counts on CLOCK_MONOTONIC, the clock steady_clock reads on Linux.
  return TimePoint(
      std::chrono::duration_cast<TimePoint::duration>(std::chrono::microseconds(usec)));
}

void CBusConnection::BeforeWait() {
  sd_bus_flush(m_bus);
}

bool CBusConnection::Process(short) {
  // Each call handles at most one message; drain them all, or the next poll would sleep on
  // messages already read into the queue.
  for (;;) {
    const int r = sd_bus_process(m_bus, nullptr);
    if (r < 0) {
      return false;
    }
    if (r == 0) {
      return sd_bus_is_open(m_bus) > 0;
    }
  }
}
