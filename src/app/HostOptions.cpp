#include "app/HostOptions.h"

#include <limits>

#include "settings/OptionBits.h"

namespace {

using Field = CHostOptions::Field;
using namespace OptionBits;

// One word a switch accepts and the bits it sets within its group.
struct Choice {
  std::string_view word;
  std::uint32_t group;
  std::uint32_t bits;
};

constexpr std::uint32_t kWhole = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kZoomStarts = kZoomStartSmall | kZoomStartLarge;

constexpr Choice kShapeWords[] = {
    {"circle", kWhole, kCircle},      {"square", kWhole, kSquare},
    {"triangle", kWhole, kTriangle},  {"star4", kWhole, kFourPointStar},
    {"diamond", kWhole, kDiamond},    {"pyramid", kWhole, kPyramid},
    {"star6", kWhole, kSixPointStar}, {"star8", kWhole, kEightPointStar}};
constexpr Choice kRotationWords[] = {{"none", kWhole, kRotateNone},
                                     {"clockwise", kWhole, kRotateClockwise},
                                     {"anticlockwise", kWhole, kRotateAntiClockwise}};
constexpr Choice kZoomWords[] = {{"none", kAllZoomLevels, 0},
                                 {"low", kAllZoomLevels, kZoomLow},
                                 {"medium", kAllZoomLevels, kZoomMedium},
                                 {"high", kAllZoomLevels, kZoomHigh},
                                 {"very-high", kAllZoomLevels, kZoomVeryHigh},
                                 {"1-phase", kAllZoomPhases, kZoomOnePhase},
                                 {"2-phase", kAllZoomPhases, kZoomTwoPhase},
                                 {"4-phase", kAllZoomPhases, kZoomFourPhase},
                                 {"start-small", kZoomStarts, kZoomStartSmall},
                                 {"start-large", kZoomStarts, kZoomStartLarge}};
constexpr Choice kJoinWords[] = {
    {"corners", kWhole, kJoinYes}, {"shape", kWhole, kJoinNo}, {"both", kWhole, kJoinBoth}};
constexpr Choice kColourWords[] = {
    {"high", kWhole, kColourHigh}, {"medium", kWhole, kColourMedium}, {"low", kWhole, kColourLow}};

// A switch takes a whole number in [low, high], or one of its words. Words of a repeatable
// switch add up within their group (--shape circle --shape star8); otherwise the last wins.
struct Switch {
  std::string_view name;
  Field field;
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  std::span<const Choice> words = {};
  bool repeatable = false;
};

constexpr Switch kSwitches[] = {
    {"size", Field::kSize, 0, 500},
    {"speed", Field::kSpeed, 1, 1000},
    {"delay", Field::kDelay, 0, 60},
    {.name = "shape", .field = Field::kShapes, .words = kShapeWords, .repeatable = true},
    {.name = "rotation", .field = Field::kRotations, .words = kRotationWords, .repeatable = true},
    {.name = "zoom", .field = Field::kZoom, .words = kZoomWords, .repeatable = true},
    {.name = "join", .field = Field::kJoins, .words = kJoinWords, .repeatable = true},
    {.name = "colour", .field = Field::kColour, .words = kColourWords}};

const Switch* FindSwitch(std::string_view word) {
  if (word.starts_with("--")) {
    word.remove_prefix(2);
  } else if (word.starts_with("-")) {
    word.remove_prefix(1);
  } else {
    return nullptr;
  }
  for (const Switch& option : kSwitches) {
    if (option.name == word) {
      return &option;
    }
  }
  return nullptr;
}

// Digits only, no sign, no space, nothing after them, within the switch's range.
bool TakeNumber(const Switch& option, std::string_view text, CHostOptions::Change& change) {
  if (text.empty() || text.size() > 9) {
    return false;
  }
  std::uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (value < option.low || value > option.high) {
    return false;
  }
  change = {kWhole, value};
  return true;
}

bool TakeWord(const Switch& option, std::string_view word, CHostOptions::Change& change) {
  for (const Choice& choice : option.words) {
    if (choice.word == word) {
      // The first word of a group on this command line clears what the group held.
      if (!option.repeatable || (change.replaced & choice.group) != choice.group) {
        change.bits &= ~choice.group;
      }
      change.replaced |= choice.group;
      change.bits |= choice.bits;
      return true;
    }
  }
  return false;
}

std::string Expected(const Switch& option) {
  std::string text = "spirandel: --" + std::string(option.name) + " takes ";
  if (option.words.empty()) {
    text +=
        "a whole number from " + std::to_string(option.low) + " to " + std::to_string(option.high);
    return text;
  }
  text += "one of";
  for (const Choice& choice : option.words) {
    text += ' ';
    text += choice.word;
  }
  return text;
}

}  // namespace

bool CHostOptions::IsOptionWord(std::string_view word) {
  return FindSwitch(word) != nullptr;
}

CHostOptions::Read CHostOptions::ReadOption(std::span<const std::string_view> arguments,
                                            std::size_t& index, std::string& complaint) {
  const Switch* option = FindSwitch(arguments[index]);
  if (option == nullptr) {
    return Read::kNotAnOption;
  }
  if (index + 1 >= arguments.size()) {
    complaint = Expected(*option);
    return Read::kBadValue;
  }
  const std::string_view value = arguments[++index];
  Change& change = m_changes[static_cast<std::size_t>(option->field)];
  if (option->words.empty() ? TakeNumber(*option, value, change)
                            : TakeWord(*option, value, change)) {
    return Read::kTaken;
  }
  complaint = Expected(*option) + ", not \"" + std::string(value) + "\"";
  return Read::kBadValue;
}

void CHostOptions::ApplyTo(SaverSettings& settings) const {
  const auto given = [this](Field field) { return m_changes[static_cast<std::size_t>(field)]; };
  const auto apply = [&given](Field field, auto stored) {
    const Change change = given(field);
    return static_cast<decltype(stored)>((static_cast<std::uint32_t>(stored) & ~change.replaced) |
                                         change.bits);
  };
  if (given(Field::kSize).replaced != 0) {
    settings.m_objectSizeFactor = given(Field::kSize).bits * 0.01;
  }
  if (given(Field::kSpeed).replaced != 0) {
    settings.m_timerInterval = 1000 / given(Field::kSpeed).bits;
  }
  settings.m_endDelay = apply(Field::kDelay, settings.m_endDelay);
  settings.m_objectShape = apply(Field::kShapes, settings.m_objectShape);
  settings.m_objectRotation = apply(Field::kRotations, settings.m_objectRotation);
  settings.m_zoomOption = apply(Field::kZoom, settings.m_zoomOption);
  settings.m_joinTheDots = apply(Field::kJoins, settings.m_joinTheDots);
  settings.m_colourOption = apply(Field::kColour, settings.m_colourOption);
}

std::string_view UsageText() {
  return "Usage: spirandel [/s | /p ID | /c]\n"
         "       spirandel --root | --window-id ID [options]\n"
         "  /s              run the saver full screen; any key or mouse movement ends it;\n"
         "                  on Wayland when $WAYLAND_DISPLAY names a running compositor,\n"
         "                  else on X11 (SPIRANDEL_DISPLAY=wayland or x11 forces one)\n"
         "  /p ID           draw a preview inside X window ID (decimal)\n"
         "  /c              show the settings sheet (also without any switch)\n"
         "  --root          draw in the window named by $XSCREENSAVER_WINDOW, else in the root\n"
         "                  window (for XScreenSaver and xsecurelock)\n"
         "  --window-id ID  draw in X window ID (0x... hex or decimal)\n"
         "  -h, --help      show this text\n"
         "  --version       show the version\n"
         "Options override the stored settings for this run only:\n"
         "  --size N        object size in percent (0-500)\n"
         "  --speed N       images per second (1-1000)\n"
         "  --delay N       seconds a finished figure stays (0-60)\n"
         "  --shape S       circle square triangle star4 diamond pyramid star6 star8\n"
         "  --rotation R    none clockwise anticlockwise\n"
         "  --zoom Z        none low medium high very-high, 1-phase 2-phase 4-phase,\n"
         "                  start-small start-large\n"
         "  --join J        corners shape both\n"
         "  --colour C      high medium low\n"
         "  Repeat --shape, --rotation, --zoom or --join to allow several choices.\n"
         "Settings: $XDG_CONFIG_HOME/tallowyn/spir_ss/Settings.reg (~/.config when unset)\n";
}

std::string VersionText() {
  return "spirandel " SPIRANDEL_VERSION "\n";
}
