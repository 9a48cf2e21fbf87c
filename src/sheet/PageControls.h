#pragma once

#include <string>
#include <string_view>

// What a page needs from the platform while it is shown. Each platform implements these once
// (a Win32 property page, a Qt widget); the pages themselves decide everything. Texts are
// UTF-8; control ids are those of the page templates.
class IPageControls {
 public:
  virtual ~IPageControls() = default;

  virtual std::string GetText(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  // Check state of a check box or radio button: 1 checked, 0 clear.
  virtual int GetCheck(int id) = 0;
  virtual void SetCheck(int id, int checked) = 0;
  // Checks `checked` and clears every other button from `first` to `last`.
  virtual void CheckRadioButton(int first, int last, int checked) = 0;
  // Longest text the user can type; a longer text already in the box stays whole.
  virtual void LimitText(int id, int maxChars) = 0;
  virtual void SetFocus(int id) = 0;
  virtual void SelectAllText(int id) = 0;
};

enum class MessageIcon { kExclamation, kStop };

// A modal message box with an OK button, owned by the page that is shown.
class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

// What a file-system lookup of a path found.
enum class PathKind {
  kDirectory,
  kNotDirectory,  // something that is not a folder (a file, a device)
  kMissing,       // nothing exists under the path
  kLookupFailed,  // the lookup failed for another reason (no permission, name too long)
};

class IPathProbe {
 public:
  virtual ~IPathProbe() = default;
  virtual PathKind Probe(const std::string& path) = 0;
};

// The folder chooser opened by "Browse". `folder` holds the folder to start in (empty leaves
// the choice to the chooser); on 1 ("Select") it receives the folder being shown, on 2
// (cancelled) it is left as it was.
class IFolderChooser {
 public:
  virtual ~IFolderChooser() = default;
  virtual int ChooseFolder(std::string& folder) = 0;
};

inline constexpr int kFolderChosen = 1;
inline constexpr int kFolderCancelled = 2;

// The services a page may call on besides its controls.
struct CPageServices {
  IMessageBox& messages;
  IPathProbe& paths;
  IFolderChooser& folders;
};
