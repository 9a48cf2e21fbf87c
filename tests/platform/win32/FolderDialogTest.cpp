#include "platform/win32/FolderDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "platform/win32/Win32.h"

// Runs the real file-open dialog; a helper thread waits for the "Choose folder" window, looks
// at it and then sends it a command, as a click would.
namespace {

struct CSeen {
  bool titled = false;
  std::string okText;
  bool nameBoxHidden = false;
  bool okLeftOfCancel = false;
};

HWND WaitForChooser() {
  for (int i = 0; i < 200; ++i) {
    HWND window = FindWindowA(nullptr, "Choose folder");
    if (window != nullptr && IsWindowVisible(window)) {
      return window;
    }
    Sleep(50);
  }
  return nullptr;
}

std::thread Answer(WPARAM command, CSeen& seen) {
  return std::thread([command, &seen] {
    HWND chooser = WaitForChooser();
    if (chooser == nullptr) {
      return;
    }
    Sleep(300);  // let the dialog finish laying itself out
    seen.titled = true;
    char text[64] = "";
    GetDlgItemTextA(chooser, IDOK, text, sizeof(text));
    seen.okText = text;
    HWND nameBox = GetDlgItem(chooser, 1148);  // the name combo box of newer dialogs
    if (nameBox == nullptr) {
      nameBox = GetDlgItem(chooser, 1152);
    }
    seen.nameBoxHidden = nameBox == nullptr || !IsWindowVisible(nameBox);
    RECT ok{};
    RECT cancel{};
    GetWindowRect(GetDlgItem(chooser, IDOK), &ok);
    GetWindowRect(GetDlgItem(chooser, IDCANCEL), &cancel);
    seen.okLeftOfCancel = ok.right + 4 == cancel.left && ok.top == cancel.top;
    PostMessageA(chooser, WM_COMMAND, command, 0);
  });
}

class FolderDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    char buffer[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(buffer), buffer);
    m_previousDirectory = buffer;
    m_folder = (std::filesystem::temp_directory_path() /
                ("spirandel-chooser-" + std::to_string(GetCurrentProcessId())))
                   .string();
    std::filesystem::create_directories(m_folder + "\\inner");
  }
  void TearDown() override {
    SetCurrentDirectoryA(m_previousDirectory.c_str());
    std::filesystem::remove_all(m_folder);
  }
  // The folder as the system spells it, for comparing with what the dialog reports.
  static std::string LongName(const std::string& path) {
    char buffer[MAX_PATH] = "";
    GetLongPathNameA(path.c_str(), buffer, sizeof(buffer));
    return buffer;
  }

  std::string m_previousDirectory;
  std::string m_folder;
};

// Cancel first, from the inner folder, so that Select then has to report the folder it shows
// and not the text it was given.
TEST_F(FolderDialogTest, CancelLeavesTheTextAloneAndSelectReturnsTheFolderBeingShown) {
  CFolderDialog chooser;
  for (const WPARAM command : {IDCANCEL, IDOK}) {
    std::string folder = command == IDOK ? m_folder : m_folder + "\\inner";
    const std::string before = folder;
    CSeen seen;
    std::thread answer = Answer(command, seen);
    const int result = chooser.ChooseFolder(folder);
    answer.join();
    ASSERT_TRUE(seen.titled) << "no window titled \"Choose folder\"";
    EXPECT_EQ(seen.okText, "Select");
    EXPECT_TRUE(seen.nameBoxHidden);
    EXPECT_TRUE(seen.okLeftOfCancel);
    if (command == IDCANCEL) {
      EXPECT_EQ(result, kFolderCancelled);
      EXPECT_EQ(folder, before);
    } else {
      EXPECT_EQ(result, kFolderChosen);
      EXPECT_EQ(LongName(folder), LongName(m_folder));
    }
  }
}

}  // namespace
