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
  std::map<int, int> checks, limits;
  int focus = 0, selected = 0;
};

struct CShownMessage {
  std::string text, caption;
  MessageIcon icon;
};

// The services a page needs, all fakes that remember what they were asked.
struct CFakeServices : IMessageBox, IPathProbe, IFolderChooser {
  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.shown.push_back({std::string(text), std::string(caption), icon});
  }
  PathKind Probe(const std::string& path) override {
    paths.probed.push_back(path);
    const auto it = paths.kinds.find(path);
    return it == paths.kinds.end() ? PathKind::kMissing : it->second;
  }
  int ChooseFolder(std::string& folder) override {
    folders.startedIn = folder;
    folder = folders.result == kFolderChosen ? folders.chosen : folder;
    return folders.result;
  }

  struct {
    std::vector<CShownMessage> shown;
  } messages;
  struct {
    std::map<std::string, PathKind> kinds;
    std::vector<std::string> probed;
  } paths;
  struct {
    int result = kFolderCancelled;
    std::string chosen, startedIn = "<not run>";
  } folders;
  CPageServices services{*this, *this, *this};
};
