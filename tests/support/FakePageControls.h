#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sheet/PageControls.h"

// A shown page's controls held in maps, and the services a page calls on, all remembering what
// they were asked. Each message reads "text|caption|!" (exclamation) or "text|caption|stop".
struct CFakePage : IPageControls, IMessageBox, IPathProbe, IFolderChooser {
  std::string GetText(int id) override { return texts[id]; }
  void SetText(int id, const std::string& text) override { texts[id] = text; }
  int GetCheck(int id) override { return checks[id]; }
  void SetCheck(int id, int checked) override { checks[id] = checked; }
  void CheckRadioButton(int first, int last, int checked) override {
    for (int id = first; id <= last; ++id) {
      checks[id] = id == checked ? 1 : 0;
    }
  }
  void LimitText(int, int) override {}
  void SetFocus(int id) override { focus = id; }
  void SelectAllText(int) override {}

  void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
    messages.push_back(std::string(text) + "|" + std::string(caption) +
                       (icon == MessageIcon::kStop ? "|stop" : "|!"));
  }
  PathKind Probe(const std::string& path) override {
    return kinds.contains(path) ? kinds[path] : PathKind::kMissing;
  }
  int ChooseFolder(std::string& folder) override {
    startedIn = std::exchange(folder, chosen);
    return kFolderChosen;
  }

  std::map<int, std::string> texts;
  std::map<int, int> checks;
  int focus = 0;
  std::vector<std::string> messages;
  std::map<std::string, PathKind> kinds;
  std::string chosen, startedIn;
  CPageServices services{*this, *this, *this};
};
