#pragma once

#include <chrono>
#include <optional>

// The signals a host or a user sends the saver, and the one wait of every display system's
// event loop, which is where they get through. SIGTERM, SIGINT and SIGHUP end the run;
// SIGUSR1, which xsecurelock sends to reset its saver, asks for a fresh figure. They are
// blocked except while the event loop waits, so none interrupts a handler and none that
// comes early is lost.

// Installs the handlers and blocks the signals; call before the window is created.
void CatchEndingSignals();

// Waits until fd is readable, the deadline passes (never without one) or a signal comes.
// Nonzero when fd is readable or its connection has failed.
int WaitForInputOrSignal(int fd, std::optional<std::chrono::steady_clock::time_point> deadline);

// The ending signal that has arrived, or 0.
int EndingSignal();

// Nonzero once after each SIGUSR1.
int TakeResetRequest();

// Ends the process by the signal, as its default action would, so that hosts log a
// normal stop; the caller has released what it holds.
[[noreturn]] void EndBySignal(int signal);
