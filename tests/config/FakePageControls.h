#pragma once

#include <map>
#include <string>
#include <vector>

#include "config/PageControls.h"

// Controls held in maps, with a log of focus and selection, standing in for a page's window.
class CFakePageControls : public IPageControls {
 public:
  std::string GetText(int id) override { return texts[id]; }
  void SetText(int id, const std::string& text) override { texts[id] = text; }
  int GetCheck(int id) override { return checks[id]; }
  void SetCheck(int id, int checked) override { checks[id] = checked; }
  void CheckRadioButton(int first, int last, int checked) override {
    for (int id = first; id <= last; ++id) {
      checks[id] = id == checked ? 1 : 0;
    }
  }
  void LimitText(int id, int maxChars) override { limits[id] = maxChars; }
  void SetFocus(int id) override { focus = id; }
  void SelectAllText(int id) override { selected = id; }

  std::map<int, std::string> texts;
  std::map<int, int> checks;
  std::map<int, int> limits;
  int focus = 0;
  int selected = 0;
};

struct CShownMessage {
  std::string text;
  std::string caption;
  MessageIcon icon;
};

class CRecordingMessageBox : public IMessageBox {
 public:
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    shown.push_back({std::string(text), std::string(caption), icon});
  }
  std::vector<CShownMessage> shown;
};

class CFakePathProbe : public IPathProbe {
 public:
  PathKind Probe(const std::string& path) override {
    probed.push_back(path);
    const auto it = kinds.find(path);
    return it == kinds.end() ? PathKind::kMissing : it->second;
  }
  std::map<std::string, PathKind> kinds;
  std::vector<std::string> probed;
};

class CFakeFolderChooser : public IFolderChooser {
 public:
  int ChooseFolder(std::string& folder) override {
    startedIn = folder;
    if (result == kFolderChosen) {
      folder = chosen;
    }
    return result;
  }
  int result = kFolderCancelled;
  std::string chosen;
  std::string startedIn = "<not run>";
};

// The services a page needs, all fakes.
struct CFakeServices {
  CRecordingMessageBox messages;
  CFakePathProbe paths;
  CFakeFolderChooser folders;
  CPageServices services{messages, paths, folders};
};
