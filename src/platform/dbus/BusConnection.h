#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "platform/posix/PolledSource.h"

struct sd_bus;
struct sd_bus_slot;

// Dropping a slot ends what it was for: a match, a pending call, an exported object.
struct SBusSlotRelease {
  void operator()(sd_bus_slot* slot) const;
};
using BusSlot = std::unique_ptr<sd_bus_slot, SBusSlotRelease>;

// The watcher's connection to the session bus or the system bus, one of the sources its loop
// polls. Every service class of this folder talks through one of these.
class CBusConnection : public IPolledSource {
 public:
  enum class EBus { Session, System };

  // Null when there is no such bus to reach (no address, no daemon, refused).
  static std::unique_ptr<CBusConnection> Open(EBus which);
  ~CBusConnection() override;
  CBusConnection(const CBusConnection&) = delete;
  CBusConnection& operator=(const CBusConnection&) = delete;

  // The unique name of whoever owns NAME now, empty when nobody does or the bus does not say.
  std::string NameOwner(std::string_view name) const;
  std::string UniqueName() const;

  int Fd() const override;
  short Events() const override;
  std::optional<TimePoint> Deadline() const override;
  void BeforeWait() override;
  bool Process(short revents) override;

  sd_bus* Raw() const { return m_bus; }

  // How long a question to a service may keep the watcher waiting, for every call made on the
  // connection: a hung service must not freeze the loop, and a live one answers in milliseconds.
  static constexpr std::chrono::milliseconds kCallTimeout{2000};

 private:
  explicit CBusConnection(sd_bus* bus) : m_bus(bus) {}
  sd_bus* m_bus;
};
