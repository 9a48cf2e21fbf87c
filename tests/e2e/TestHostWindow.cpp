// A stand-in for a screen-saver host in the end-to-end tests: a grey top-level window of the
// given size, so that a test can tell the saver's black from the host's own. Once the window
// is mapped it prints its id on stdout, as "0x<hex> <decimal>". The tests resize it with
// xdotool, and destroy it by killing this client, which ends the program.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  Display* display = argc == 3 ? XOpenDisplay(nullptr) : nullptr;
  if (display == nullptr) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT, with a display\n", argv[0]);
    return 2;
  }
  const Window window = XCreateSimpleWindow(
      display, DefaultRootWindow(display), 0, 0, static_cast<unsigned>(std::atoi(argv[1])),
      static_cast<unsigned>(std::atoi(argv[2])), 0, 0, 0x808080);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify);
  std::printf("0x%lx %lu\n", window, window);
  std::fflush(stdout);
  for (;;) {
    XNextEvent(display, &event);
  }
}
