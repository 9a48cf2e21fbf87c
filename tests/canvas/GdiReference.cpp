#include "GdiReference.h"

#include <fstream>
#include <sstream>

namespace {

std::string DataPath(const char* name) {
  return std::string(SPIRANDEL_SOURCE_DIR) + "/tests/canvas/data/" + name;
}

PixelSet ParsePixels(std::istringstream& in) {
  PixelSet pixels;
  int x = 0;
  int y = 0;
  char comma = 0;
  while (in >> x >> comma >> y) {
    pixels.insert({x, y});
  }
  return pixels;
}

}  // namespace

std::vector<SReferenceLine> LoadReferenceLines() {
  std::ifstream file(DataPath("lines.txt"));
  std::vector<SReferenceLine> lines;
  std::string text;
  while (std::getline(file, text)) {
    SReferenceLine line{};
    line.lineNumber = static_cast<int>(lines.size()) + 1;
    std::istringstream in(text);
    char colon = 0;
    in >> line.x0 >> line.y0 >> line.x1 >> line.y1 >> colon;
    line.lit = ParsePixels(in);
    lines.push_back(line);
  }
  return lines;
}

std::vector<SReferenceCircle> LoadReferenceCircles() {
  std::ifstream file(DataPath("arcs.txt"));
  std::vector<SReferenceCircle> circles;
  std::string text;
  while (std::getline(file, text)) {
    SReferenceCircle circle{};
    std::istringstream in(text);
    char letter = 0;
    char colon = 0;
    in >> letter >> circle.radius >> colon;
    circle.offsets = ParsePixels(in);
    circles.push_back(circle);
  }
  return circles;
}

PixelSet LitPixels(const CRasterCanvas& canvas) {
  PixelSet lit;
  const std::uint32_t* pixels = canvas.Pixels();
  const int count = canvas.Width() * canvas.Height();
  for (int i = 0; i < count; ++i) {
    if (pixels[i] != 0) {
      lit.insert({i % canvas.Width(), i / canvas.Width()});
    }
  }
  return lit;
}

std::string Describe(const PixelSet& pixels) {
  std::ostringstream out;
  for (const auto& [x, y] : pixels) {
    out << x << ',' << y << ' ';
  }
  return out.str();
}
