#include "platform/win32/FolderDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/win32/Win32.h"

// Runs the real file-open dialog; a helper thread waits for the "Choose folder" window, looks
// at it and then sends it a command, as a click would.
namespace {

// What the helper saw of the chooser: its OK text, whether the name box is hidden and OK
// sits just left of Cancel; empty when no chooser appeared.
std::string LookAndAnswer(WPARAM command) {
  HWND chooser = nullptr;
  for (int i = 0; i < 200 && (chooser == nullptr || !IsWindowVisible(chooser)); ++i) {
    Sleep(50);
    chooser = FindWindowA(nullptr, "Choose folder");
  }
  if (chooser == nullptr) {
    return "";
  }
  Sleep(300);  // let the dialog finish laying itself out
  char text[64] = "";
  GetDlgItemTextA(chooser, IDOK, text, sizeof(text));
  HWND nameBox = GetDlgItem(chooser, 1148);  // the name combo box of newer dialogs
  if (nameBox == nullptr) {
    nameBox = GetDlgItem(chooser, 1152);
  }
  RECT ok{};
  RECT cancel{};
  GetWindowRect(GetDlgItem(chooser, IDOK), &ok);
  GetWindowRect(GetDlgItem(chooser, IDCANCEL), &cancel);
  PostMessageA(chooser, WM_COMMAND, command, 0);
  return std::string(text) +
         (nameBox == nullptr || !IsWindowVisible(nameBox) ? " hidden" : " shown") +
         (ok.right + 4 == cancel.left && ok.top == cancel.top ? " ok-cancel" : " apart");
}

// The folder as the system spells it, for comparing with what the dialog reports.
std::string LongName(const std::string& path) {
  char buffer[MAX_PATH] = "";
  GetLongPathNameA(path.c_str(), buffer, sizeof(buffer));
  return buffer;
}

// Cancel first, from the inner folder, so that Select then has to report the folder it shows
// and not the text it was given.
TEST(FolderDialogTest, CancelLeavesTheTextAloneAndSelectReturnsTheFolderBeingShown) {
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof(previous), previous);
  const std::string made = (std::filesystem::temp_directory_path() /
                            ("spirandel-chooser-" + std::to_string(GetCurrentProcessId())))
                               .string();
  std::filesystem::create_directories(made + "\\inner");
  CFolderDialog chooser;
  for (const WPARAM command : {IDCANCEL, IDOK}) {
    std::string folder = command == IDOK ? made : made + "\\inner";
    const std::string before = folder;
    std::string seen;
    std::thread answer([&] { seen = LookAndAnswer(command); });
    const int result = chooser.ChooseFolder(folder);
    answer.join();
    EXPECT_EQ(seen, "Select hidden ok-cancel") << "in a window titled \"Choose folder\"";
    if (command == IDCANCEL) {
      EXPECT_EQ(result, kFolderCancelled);
      EXPECT_EQ(folder, before);
    } else {
      EXPECT_EQ(result, kFolderChosen);
      EXPECT_EQ(LongName(folder), LongName(made));
    }
  }
  SetCurrentDirectoryA(previous);
  std::filesystem::remove_all(made);
}

}  // namespace
