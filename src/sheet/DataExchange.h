#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sheet/PageControls.h"

// Moves a page's members into its controls (load) or back with validation (save). The first
// control that fails a save shows its message, takes the focus with its text selected, and
// ends the exchange: the controls after it are not read, members read before it keep their
// new values, and Failed() tells the page not to let itself be left.
class CDataExchange {
 public:
  CDataExchange(IPageControls& controls, IMessageBox& messages, bool saveAndValidate)
      : m_controls(controls), m_messages(messages), m_saveAndValidate(saveAndValidate) {}

  void Check(int id, std::int32_t& member);
  // A number box whose member must lie in [minimum, maximum].
  void Unsigned(int id, std::uint32_t& member, std::uint32_t minimum, std::uint32_t maximum);
  // A text box that takes at most maxChars characters.
  void Text(int id, std::string& member, std::size_t maxChars);

  bool Failed() const { return m_failed; }

  // A number box is read only this far, however long its text is.
  static constexpr std::size_t kNumberTextChars = 31;

 private:
  void Fail(int id, const std::string& message);

  IPageControls& m_controls;
  IMessageBox& m_messages;
  bool m_saveAndValidate;
  bool m_failed = false;
};

// Characters in a UTF-8 text, as the user sees them in a box.
std::size_t CountCharacters(const std::string& text);
