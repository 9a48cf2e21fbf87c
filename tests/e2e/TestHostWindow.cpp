// A stand-in for a screen-saver host in the end-to-end tests: a top-level window of the
// given size whose id is printed on stdout, then driven by commands on stdin:
//   resize W H   resize the window
//   destroy      destroy the window (the preview inside must end)
// End of input ends the program.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  // A grey background, so that a test can tell the saver's black from the host's own.
  const Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(std::atoi(argv[1])),
      static_cast<unsigned>(std::atoi(argv[2])), 0, 0, 0x808080);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      break;
    }
  }
  std::cout << "0x" << std::hex << window << std::dec << ' ' << window << std::endl;

  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream command(line);
    std::string verb;
    command >> verb;
    if (verb == "resize") {
      unsigned width = 0;
      unsigned height = 0;
      command >> width >> height;
      XResizeWindow(display, window, width, height);
    } else if (verb == "destroy") {
      XDestroyWindow(display, window);
    }
    XSync(display, False);
    std::cout << "ok" << std::endl;
  }
  XCloseDisplay(display);
  return 0;
}
