#pragma once

// For this folder's sources only: the module's own headers keep sd-bus out of sight, and so
// declare their handlers without sd-bus's error type, which cannot be declared ahead.
#include <systemd/sd-bus.h>

template <int (*Handler)(sd_bus_message*, void*)>
int BusHandler(sd_bus_message* message, void* userdata, sd_bus_error*) {
  return Handler(message, userdata);
}
