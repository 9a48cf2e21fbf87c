// libFuzzer target: any bytes, one argument per line, as the command line of the saver. The
// start-up always ends in one defined way: a mode with a usable window and settings within
// what the settings sheet allows (the stored ones being the defaults), or a quiet end, or a
// complaint with exit code 2. No read outside a buffer, no undefined behaviour, no leak.

#include <string_view>
#include <vector>

#include "app/SaverApp.h"
#include "settings/OptionBits.h"
#include "settings/RegTextStore.h"

namespace {

using namespace OptionBits;

void Expect(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// Within a group of bits, and naming at least one of them.
bool ChoosesFrom(std::uint32_t mask, std::uint32_t all) {
  return mask != 0 && (mask & ~all) == 0;
}

int ExpectInRange(const SaverSettings& s) {
  Expect(s.ObjectSizePercent() <= 500 && s.TimerIntervalMs() <= 1000);
  Expect(s.m_endDelay >= 0 && s.m_endDelay <= 60);
  Expect(ChoosesFrom(s.m_objectShape, kAllShapes) &&
         ChoosesFrom(s.m_objectRotation, kAllRotations));
  Expect(ChoosesFrom(static_cast<std::uint16_t>(s.m_joinTheDots), kAllJoinModes));
  Expect((s.m_zoomOption &
          ~(kAllZoomLevels | kAllZoomPhases | kZoomStartSmall | kZoomStartLarge)) == 0);
  Expect(s.m_colourOption == kColourHigh || s.m_colourOption == kColourMedium ||
         s.m_colourOption == kColourLow);
  return 1;
}

class CCheckedModes : public IRunModes {
 public:
  void RunConfigSheet(SaverSettings& settings) override { ExpectInRange(settings); }
  int CreatePreviewWindow(SaverSettings& settings, std::uint64_t hostWindow) override {
    Expect(hostWindow != 0);
    return ExpectInRange(settings);
  }
  int CreateFullScreenWindow(SaverSettings& settings) override { return ExpectInRange(settings); }
  // An unreadable window id leaves neither, and the platform then creates nothing.
  int CreateHostedWindow(SaverSettings& settings, std::optional<std::uint64_t> window,
                         bool rootWindow) override {
    Expect(!window || *window != 0);
    return ExpectInRange(settings) != 0 && (window || rootWindow) ? 1 : 0;
  }
  void WriteText(std::string_view text, Stream) override { Expect(!text.empty()); }
  int RunMessageLoop() override { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> arguments;
  for (std::string_view text(reinterpret_cast<const char*>(data), size); !text.empty();) {
    const std::size_t end = text.find('\n');
    arguments.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  CRegTextStore store("");
  CCheckedModes modes;
  const int exitCode = CSaverApp(store, modes).Run(arguments);
  Expect(exitCode == 0 || exitCode == 2);
  return 0;
}
