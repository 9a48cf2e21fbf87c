#include "sheet/DataExchange.h"

#include "sheet/ConfigTexts.h"
#include "sheet/UnsignedText.h"

void CDataExchange::Check(int id, std::int32_t& member) {
  if (m_failed) {
    return;
  }
  if (m_saveAndValidate) {
    member = m_controls.GetCheck(id) != 0;
  } else {
    // Stored flags other than 0 and 1 count as set, as the saver itself reads them.
    m_controls.SetCheck(id, member != 0);
  }
}

void CDataExchange::Unsigned(int id, std::uint32_t& member, std::uint32_t minimum,
                             std::uint32_t maximum) {
  if (m_failed) {
    return;
  }
  if (!m_saveAndValidate) {
    m_controls.SetText(id, std::to_string(member));
    return;
  }
  const std::string text = m_controls.GetText(id).substr(0, kNumberTextChars);
  if (ParseUnsignedText(text, member) == 0) {
    Fail(id, std::string(ConfigTexts::kParseUnsigned));
    return;
  }
  if (member < minimum || member > maximum) {
    Fail(id, FormatConfigMessage(ConfigTexts::kUnsignedRange,
                                 {std::to_string(minimum), std::to_string(maximum)}));
  }
}

void CDataExchange::Text(int id, std::string& member, std::size_t maxChars) {
  if (m_failed) {
    return;
  }
  if (!m_saveAndValidate) {
    // The limit stops typing only: a longer stored text is shown whole, and refused on leaving.
    m_controls.SetText(id, member);
    m_controls.LimitText(id, static_cast<int>(maxChars));
    return;
  }
  member = m_controls.GetText(id);
  if (CountCharacters(member) > maxChars) {
    Fail(id, FormatConfigMessage(ConfigTexts::kTextTooLong, {std::to_string(maxChars)}));
  }
}

void CDataExchange::Fail(int id, const std::string& message) {
  m_failed = true;
  m_messages.ShowMessage(message, ConfigTexts::kApplicationCaption, MessageIcon::kExclamation);
  m_controls.SetFocus(id);
  m_controls.SelectAllText(id);
}

std::size_t CountCharacters(const std::string& text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++count;
    }
  }
  return count;
}
