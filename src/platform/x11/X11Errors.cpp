#include "platform/x11/X11Errors.h"

namespace {

int g_lastError = Success;
int g_connectionLost = 0;

int RecordError(Display*, XErrorEvent* event) {
  g_lastError = event->error_code;
  return 0;
}

int QuietIoError(Display*) {
  return 0;
}

void ConnectionLost(Display*, void*) {
  // Returning lets Xlib give up the connection without ending the process, so the event
  // loop can end the run itself, with the exit code of a normal end.
  g_connectionLost = 1;
}

}  // namespace

void InstallX11ErrorRecorder() {
  XSetErrorHandler(RecordError);
  XSetIOErrorHandler(QuietIoError);
}

int TakeX11Error(Display* display) {
  XSync(display, False);
  const int error = g_lastError;
  g_lastError = Success;
  return error;
}

int X11ConnectionLost() {
  return g_connectionLost;
}

void WatchX11Connection(Display* display) {
  XSetIOErrorExitHandler(display, ConnectionLost, nullptr);
}
