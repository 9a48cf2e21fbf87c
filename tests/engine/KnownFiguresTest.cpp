// Whole figures as the saver draws them, pinned call for call: any change to what the engine
// plans or draws for these settings shows here, even where no other test looks.
#include <algorithm>
#include <fstream>
#include <tuple>

#include "EngineFixture.h"

namespace {

constexpr std::uint32_t kAll = 0xFFFFFFFF;

struct SKnownFigures {
  std::uint32_t shapes, rotations, zoom;
  std::int16_t joins, colour;
  double size;
  int cx, cy;
  std::uint64_t hash;  // of three figures' calls, the clears between them included
};

// Single options are taken without a random number; stray bits and empty masks read as the
// settings define them.
constexpr SKnownFigures kCases[] = {
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 10, 0.08, 640, 480, 11553848046279088083u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 30, 0.2, 320, 200, 14450276731606657087u},
    {kAll, kAll, kAll, -1, 50, 0.5, 200, 300, 14051125469417465138u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 10, 0.0, 640, 480, 4497843121759694092u},
    {OptionBits::kAllShapes, kAll, 0x3E2, 7, 10, 0.1, 400, 400, 16211870331072836045u},
    {OptionBits::kAllShapes, kAll, 0x1FC, 5, 10, 0.1, 400, 400, 5075931839415585608u},
    {0x201, 0xF0, 0x10, -8, 50, 0.08, 640, 480, 1727600468739362220u},
    {OptionBits::kTriangle | 1, 5, 0x308, 9, -32768, 0.3, 300, 300, 3124267824244451151u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 300, 6.0, 640, 480, 1917057208407185243u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 10, 42949672.95, 640, 480, 3127022540627550486u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 10, 5.0, 3, 3, 2483824725879571298u},
    {OptionBits::kAllShapes, kAll, 0x3FF, 7, 10, 2.5, 97, 300, 7550270854160949944u},
    {OptionBits::kEightPointStar, 8, 0x3E0, 4, 10, 0.1, 400, 300, 17992218693725592069u},
    {OptionBits::kFourPointStar, 4, 0x2FE, 1, 30, 0.15, 300, 400, 9412274529228518043u},
};

// A run that draws the known calls keeps them in the build folder; a later run that does not
// compares with them and names the first call that changed, with the tick it belongs to.
std::string FirstChangedCall(int row, bool known, const std::vector<std::string>& calls) {
  const std::string kept = SPIRANDEL_BINARY_DIR "/known-figures-" + std::to_string(row);
  if (known) {
    std::ofstream out(kept);
    for (const std::string& call : calls) {
      out << call << '\n';
    }
    return "";
  }
  std::ifstream in(kept);
  std::vector<std::string> was;
  for (std::string line; std::getline(in, line);) {
    was.push_back(line);
  }
  const auto [from, to] = std::mismatch(was.begin(), was.end(), calls.begin(), calls.end());
  const auto i = from - was.begin();
  const auto ticks = std::count(calls.begin(), calls.begin() + i, std::string("restore"));
  return "call " + std::to_string(i) + " (tick " + std::to_string(ticks) + ") was \"" +
         (from == was.end() ? "nothing: run this test once where it passes" : *from) + "\", is \"" +
         (to == calls.end() ? "nothing" : *to) + "\"";
}

}  // namespace

class KnownFiguresTest : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(KnownFiguresTest, DrawExactlyTheirKnownCalls) {
  const SKnownFigures& c = kCases[GetParam()];
  std::tie(settings.m_objectShape, settings.m_objectRotation, settings.m_zoomOption,
           settings.m_joinTheDots, settings.m_colourOption, settings.m_objectSizeFactor) =
      std::tuple(c.shapes, c.rotations, c.zoom, c.joins, c.colour, c.size);
  host.seed = 1000 + GetParam();
  Create(c.cx, c.cy);
  for (int figure = 0; figure < 3; ++figure) {
    Ticks(361);
    Ticks(1, CCurveWnd::kEndDelayTimer);
  }
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (const std::string& call : host.surface.calls) {
    for (const char byte : call + '\n') {
      hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211u;
    }
  }
  const std::string changed = FirstChangedCall(GetParam(), hash == c.hash, host.surface.calls);
  EXPECT_EQ(hash, c.hash) << changed;
  EXPECT_EQ(host.contextsOut, 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, KnownFiguresTest,
                         ::testing::Range(0, static_cast<int>(std::size(kCases))));
