// Plays the screen-saver host of the preview: makes a window, starts the saver with
// "/p <window>", lets it draw, checks that a drawing child has appeared inside and drawn
// something, destroys the window and waits for the saver to end.
// Usage: spirandel-preview-host <saver> <seconds>. Exit code 0 when all of that held.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/Win32.h"

namespace {

bool HasColour(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  bool found = false;
  for (int y = 0; y < client.bottom && !found; y += 2) {
    for (int x = 0; x < client.right && !found; x += 2) {
      const COLORREF pixel = GetPixel(dc, x, y);
      found = pixel != CLR_INVALID && pixel != RGB(0, 0, 0);
    }
  }
  ReleaseDC(window, dc);
  return found;
}

void PumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <saver> <seconds>\n", argv[0]);
    return 2;
  }
  const DWORD waitMs = static_cast<DWORD>(std::atoi(argv[2])) * 1000;
  HWND host = CreateWindowExA(0, "STATIC", "Preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              320, 240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (host == nullptr) {
    std::puts("no host window");
    return 1;
  }
  std::string command = std::string("\"") + argv[1] + "\" /p " +
                        std::to_string(reinterpret_cast<std::uintptr_t>(host));
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::puts("saver did not start");
    return 1;
  }
  PumpFor(waitMs);

  int failures = 0;
  const auto check = [&failures](bool held, const char* failure) {
    if (!held) {
      std::printf("FAIL: %s\n", failure);
      ++failures;
    }
  };
  HWND child = FindWindowExA(host, nullptr, "SpirandelCurveWnd", nullptr);
  check(child != nullptr, "no drawing window inside the host");
  if (child != nullptr) {
    RECT hostClient{};
    RECT childRect{};
    GetClientRect(host, &hostClient);
    GetClientRect(child, &childRect);
    std::printf("child %ldx%ld in host %ldx%ld\n", childRect.right, childRect.bottom,
                hostClient.right, hostClient.bottom);
    check(childRect.right == hostClient.right && childRect.bottom == hostClient.bottom,
          "the drawing window does not cover the host's client area");
    check(HasColour(child), "nothing drawn in the preview");
  }

  DestroyWindow(host);
  PumpFor(100);
  const DWORD waited = WaitForSingleObject(process.hProcess, 15000);
  check(waited == WAIT_OBJECT_0, "the saver kept running after its host window was destroyed");
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  } else {
    std::printf("saver ended with %lu\n", exitCode);
    check(exitCode == 0, "the saver did not end with 0");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return failures == 0 ? 0 : 1;
}
