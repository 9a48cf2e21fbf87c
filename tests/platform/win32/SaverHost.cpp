// Plays the part of whoever starts the saver, for the end-to-end tests:
//   spirandel-saver-host preview SAVER  makes a window, starts "SAVER /p <window>", waits for a
//     drawing child that covers the window's client area, destroys the window and expects the
//     saver to end with 0. Under Wine a child drawn by another process never shows, so the
//     drawing is then proven in this process: the saver's own preview window, linked in, in a
//     second window until it shows something;
//   spirandel-saver-host focus SAVER  makes a window that has the keyboard, starts "SAVER /s",
//     waits for the saver to end (the test closes it) with 0, and expects the window to have the
//     keyboard again.
// The windows lie on the second monitor of the test display, left of the primary. Each wait
// ends as soon as what it waits for has happened, or after a minute. Prints what failed; the
// exit code is 0 when everything held.
#include <cstdio>
#include <string>

#include "platform/win32/Win32.h"
#include "platform/win32/Win32RunModes.h"

namespace {

// Serves this thread's windows until the condition holds or a minute has passed.
template <typename Condition>
bool ServeUntil(Condition done) {
  for (const DWORD end = GetTickCount() + 60000; static_cast<LONG>(end - GetTickCount()) > 0;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
    if (done()) {
      return true;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return false;
}

HWND MakeHost() {
  return CreateWindowExA(0, "STATIC", "Saver host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, -600, 50, 320,
                         240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The preview child when it covers the host's client area.
HWND CoveringChild(HWND host) {
  HWND child = FindWindowExA(host, nullptr, "SpirandelCurveWnd", nullptr);
  RECT hostArea{};
  RECT area{};
  GetClientRect(host, &hostArea);
  return GetClientRect(child, &area) && EqualRect(&area, &hostArea) ? child : nullptr;
}

// The covering child shows something not black; only its own process sees that.
bool DrewInside(HWND host) {
  HWND child = CoveringChild(host);
  RECT area{};
  if (!GetClientRect(child, &area)) {
    return false;
  }
  HDC dc = GetDC(child);
  bool drawn = false;
  for (int i = 0; i < area.right * area.bottom && !drawn; i += 3) {
    drawn = (GetPixel(dc, i % area.right, i / area.right) & 0xFFFFFF) != 0;
  }
  ReleaseDC(child, dc);
  return drawn;
}

}  // namespace

int main(int argc, char** argv) {
  const bool preview = argc == 3 && std::string(argv[1]) == "preview";
  HWND host = MakeHost();
  SetForegroundWindow(host);
  SetFocus(host);
  std::string command = std::string("\"") + (argc == 3 ? argv[2] : "") + "\" " +
                        (preview ? "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(host))
                                 : std::string("/s"));
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (argc != 3 || !CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process)) {
    std::puts("usage: spirandel-saver-host preview|focus SAVER; the saver must start");
    return 2;
  }
  const char* failure = nullptr;
  if (preview) {
    if (!ServeUntil([&] { return CoveringChild(host) != nullptr; })) {
      failure = "FAIL: no drawing window covering the host's client area";
    }
    DestroyWindow(host);
  }
  DWORD exitCode = 1;
  if (!ServeUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }) ||
      !GetExitCodeProcess(process.hProcess, &exitCode) || exitCode != 0) {
    TerminateProcess(process.hProcess, 1);
    failure = "FAIL: the saver did not end, or not with 0";
  } else if (!preview &&
             !ServeUntil([&] { return GetForegroundWindow() == host && GetFocus() == host; })) {
    // Activation comes back as messages, served by the wait.
    failure = "FAIL: the window that had the keyboard before the saver does not have it back";
  }
  if (failure == nullptr && preview) {
    // The saver's own preview window, in a second host of this process, which sees its pixels.
    HWND inside = MakeHost();
    SaverSettings settings;
    settings.LoadSettings();
    CWin32RunModes modes;
    if (!modes.CreatePreviewWindow(settings, reinterpret_cast<std::uintptr_t>(inside)) ||
        !ServeUntil([&] { return DrewInside(inside); })) {
      failure = "FAIL: the preview drew nothing in its host, seen from its own process";
    }
    DestroyWindow(inside);
  }
  std::puts(failure == nullptr ? "the host saw all it expected" : failure);
  return failure == nullptr ? 0 : 1;
}
