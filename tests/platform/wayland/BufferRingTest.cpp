// The Wayland buffer ring over sequences of draws, releases and resizes, against a display
// made of plain memory that checks every write and every commit: a held buffer is never
// written, a committed buffer always holds the whole picture, and its damage covers what
// changed on the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/wayland/BufferRing.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

class CFakeDisplay : public IBufferRingHost {
 public:
  explicit CFakeDisplay(int width, int height)
      : m_width(width), m_height(height), m_own(Pixels(width * height, 0)), m_ring(*this) {
    Show(Whole());
  }

  // As the saver window draws: the ring prepares, the picture changes, the change is shown.
  void Draw(std::uint32_t value) {
    const int k = static_cast<int>(m_drawn++);
    const int x = k * 3 % (m_width - 1), y = k * 5 % (m_height - 1);
    Paint(CRect{x, y, x + 2, y + 2}, value);
  }
  void Paint(const CRect& rect, std::uint32_t value) {
    m_ring.PrepareDrawing(Picture());
    Pixels& into = PictureMemory();
    if (m_drawnInto >= 0 && m_buffers.at(m_drawnInto).held) {
      m_log << "W ";  // a write the compositor may be reading
    }
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        into[y * m_width + x] = value;
      }
    }
    if (value != 0) {
      m_lit = Bounding(m_lit, rect);
    }
    Show(rect);
  }
  // As CPixelBuffer::Resize: a block of its own, the shared part kept, then shown whole.
  void Resize(int width, int height) {
    const Pixels& from = PictureMemory();
    Pixels resized(width * height, 0);
    for (int y = 0; y < std::min(height, m_height); ++y) {
      for (int x = 0; x < std::min(width, m_width); ++x) {
        resized[y * width + x] = from[y * m_width + x];
      }
    }
    m_own = resized;
    m_drawnInto = -1;
    m_width = width;
    m_height = height;
    m_lit =
        CRect{m_lit.left, m_lit.top, std::min(m_lit.right, width), std::min(m_lit.bottom, height)};
    m_ring.PrepareDrawing(Picture());
    Show(Whole());
  }
  void Release(int id) {
    m_buffers.at(id).held = false;
    m_ring.Released(id);
    m_ring.Flush(Picture());
  }
  void ReleaseAll() {
    for (auto& [id, buffer] : m_buffers) {
      if (buffer.held) {
        Release(id);
      }
    }
  }

  bool CreateBuffer(int id, int width, int height) override {
    if (m_failCreate) {
      m_failCreate = false;
      m_log << "!n ";
      return false;
    }
    m_buffers[id] = {width, height, Pixels(width * height, 0), false};
    m_log << 'n' << id << ' ';
    return true;
  }
  void DestroyBuffer(int id) override {
    EXPECT_FALSE(m_buffers.at(id).held) << "destroyed while held: " << id;
    EXPECT_NE(id, m_drawnInto);
    m_buffers.erase(id);
    m_log << 'x' << id << ' ';
  }
  // The compositor lets go of the buffer it has held longest.
  bool WaitForRelease() override {
    if (m_failWait) {
      m_failWait = false;
      m_log << "!w ";
      return false;
    }
    auto oldest = m_buffers.end();
    for (auto it = m_buffers.begin(); it != m_buffers.end(); ++it) {
      if (it->second.held &&
          (oldest == m_buffers.end() || it->second.since < oldest->second.since)) {
        oldest = it;
      }
    }
    EXPECT_NE(oldest, m_buffers.end()) << "waited with no buffer held";
    oldest->second.held = false;
    m_ring.Released(oldest->first);
    m_log << 'w' << oldest->first << ' ';
    return true;
  }
  void CopyPicture(int id, const CRect& rect) override {
    SBuffer& buffer = m_buffers.at(id);
    EXPECT_FALSE(buffer.held) << "copied into a held buffer: " << id;
    const Pixels& from = PictureMemory();
    for (int y = rect.top; y < rect.bottom; ++y) {
      for (int x = rect.left; x < rect.right; ++x) {
        buffer.pixels[y * m_width + x] = from[y * m_width + x];
      }
    }
    m_log << 'p' << id << ' ';
  }
  void DrawInto(int id) override {
    EXPECT_EQ(m_buffers.at(id).pixels, PictureMemory()) << "moved into a stale buffer: " << id;
    m_drawnInto = id;
    m_log << 'b' << id << ' ';
  }
  bool DrawIntoOwnBlock() override {
    if (m_failOwn) {
      m_failOwn = false;
      m_log << "!o ";
      return false;
    }
    m_own = PictureMemory();
    m_drawnInto = -1;
    m_log << "o ";
    return true;
  }
  void Commit(int id, const CRect& damage) override {
    SBuffer& buffer = m_buffers.at(id);
    EXPECT_FALSE(buffer.held);
    EXPECT_EQ(buffer.pixels, PictureMemory()) << "committed out of date: " << id;
    // The screen takes the buffer's size and then only what is damaged.
    if (m_screen.size() != buffer.pixels.size()) {
      m_screen.assign(buffer.pixels.size(), 0xBAD);
    }
    for (int y = std::max(damage.top, 0); y < std::min(damage.bottom, m_height); ++y) {
      for (int x = std::max(damage.left, 0); x < std::min(damage.right, m_width); ++x) {
        m_screen[y * m_width + x] = buffer.pixels[y * m_width + x];
      }
    }
    buffer.held = true;
    buffer.since = m_commits++;
    m_log << 'c' << id << ' ';
  }

  bool ReleaseDue() const { return m_ring.ReleaseDue(); }
  std::string Log() {
    std::string log = m_log.str();
    m_log.str("");
    return log.empty() ? log : log.substr(0, log.size() - 1);
  }
  bool ScreenShowsPicture() { return m_screen == PictureMemory(); }
  std::size_t Buffers() const { return m_buffers.size(); }
  bool m_failCreate = false;
  bool m_failOwn = false;
  bool m_failWait = false;

 private:
  struct SBuffer {
    int width;
    int height;
    Pixels pixels;
    bool held;
    int since = 0;
  };
  CRect Whole() const { return {0, 0, m_width, m_height}; }
  Pixels& PictureMemory() { return m_drawnInto < 0 ? m_own : m_buffers.at(m_drawnInto).pixels; }
  SRingPicture Picture() const { return {m_width, m_height, m_lit, m_drawnInto}; }
  void Show(const CRect& rect) {
    m_ring.AddChange(Picture(), rect);
    m_ring.Flush(Picture());
  }

  int m_width;
  int m_height;
  Pixels m_own;
  int m_drawnInto = -1;
  CRect m_lit;
  std::map<int, SBuffer> m_buffers;
  Pixels m_screen;
  std::uint32_t m_drawn = 0;
  int m_commits = 0;
  std::ostringstream m_log;
  CBufferRing m_ring;
};

// Events: d draws, e paints all of the 8 x 8 picture, k clears the whole picture black, rN
// releases buffer N, sWxH resizes, !n, !o and !w make the next new buffer, the next block of its
// own or the next wait for a release fail. The log names what the ring had done after each event:
// nN new buffer, xN dropped, pN brought up to date, bN drawn into, o own block, cN committed, wN
// waited for N to come back; W a write into a held buffer.
struct SRingCase {
  const char* name;
  const char* events;
  std::vector<const char*> log;
};

TEST(BufferRingTest, HeldBuffersAreNeverWrittenAndEveryCommitShowsTheWholePicture) {
  const SRingCase cases[] = {
      {"sway keeps the shown buffer until the next commit: two buffers in turn",
       "d r0 d r1 d r0 d",
       {"n1 p1 c1", "", "p0 b0 c0", "", "p1 b1 c1", "", "p0 b0 c0"}},
      {"a compositor that copies and releases at once: one buffer",
       "r0 d r0 d r0 k",
       {"", "b0 c0", "", "c0", "", "c0"}},
      {"one held as a context begins: a second one is made",
       "r0 d d r0 d",
       {"", "b0 c0", "n1 p1 b1 c1", "", "p0 b0 c0"}},
      {"both held: a context waits for the release of the one held longest",
       "r0 d d d d r0 d r1",
       {"", "b0 c0", "n1 p1 b1 c1", "w0 p0 b0 c0", "w1 p1 b1 c1", "", "p0 b0 c0", ""}},
      {"no release to wait for: the change waits in a block of its own",
       "r0 d d !w d r0",
       {"", "b0 c0", "n1 p1 b1 c1", "!w o", "p0 c0"}},
      {"no buffer to be had: the change waits, and a release brings it",
       "!n d r0 d",
       {"!n", "p0 c0", "n2 p2 c2"}},
      {"no block of its own either: the held buffer is written, the only place left",
       "r0 d d !w !o d r0",
       {"", "b0 c0", "n1 p1 b1 c1", "!w !o W", "p0 c0"}},
      {"a new size: free buffers of the old one go at once, held ones when they come back",
       "d r0 s8x4 d r1 d",
       {"n1 p1 c1", "", "x0 n2 p2 c2", "", "x1 n3 p3 c3", ""}},
      {"back to the size of a buffer left from before: it lacks all of the picture",
       "e s6x4 r0 r1 s8x8 d",
       {"n1 p1 c1", "", "x0 n2 p2 c2", "", "p1 b1 c1", "o"}},
      {"the same with one side kept",
       "e s8x4 r0 r1 s8x8 d",
       {"n1 p1 c1", "", "x0 n2 p2 c2", "", "p1 b1 c1", "o"}},
  };
  for (const SRingCase& test : cases) {
    SCOPED_TRACE(test.name);
    CFakeDisplay display(8, 8);
    EXPECT_EQ(display.Log(), "n0 c0");
    std::istringstream events(test.events);
    std::vector<std::string> log;
    std::uint32_t colour = 0x10;
    for (std::string event; events >> event;) {
      if (event == "d") {
        display.Draw(colour++);
      } else if (event == "k" || event == "e") {
        display.Paint({0, 0, 8, 8}, event == "k" ? 0 : colour++);
      } else if (event[0] == 'r') {
        display.Release(std::stoi(event.substr(1)));
      } else if (event[0] == 's') {
        display.Resize(std::stoi(event.substr(1)), std::stoi(event.substr(event.find('x') + 1)));
      } else if (event == "!n") {
        display.m_failCreate = true;
      } else if (event == "!o") {
        display.m_failOwn = true;
      } else if (event == "!w") {
        display.m_failWait = true;
      }
      if (event[0] != '!') {
        log.push_back(display.Log());
      }
      EXPECT_LE(display.Buffers(), CBufferRing::kMaxBuffers);
    }
    EXPECT_EQ(log, std::vector<std::string>(test.log.begin(), test.log.end()));
    display.ReleaseAll();
    EXPECT_TRUE(display.ScreenShowsPicture()) << "a change never reached the screen";
  }
}

// A release is due while the compositor holds a buffer other than the one shown last, which
// it may keep until the next commit.
TEST(BufferRingTest, AReleaseIsDueOnlyForABufferShownBeforeTheLast) {
  CFakeDisplay display(8, 8);
  EXPECT_FALSE(display.ReleaseDue()) << "the first buffer, shown last";
  display.Draw(0x10);
  EXPECT_TRUE(display.ReleaseDue()) << "the first held, the second shown";
  display.Release(0);
  EXPECT_FALSE(display.ReleaseDue()) << "the one before let go";
  display.Release(1);
  EXPECT_FALSE(display.ReleaseDue()) << "none held";
}

}  // namespace
