#include "image/RleDecode.h"

namespace {

class CRowWriter {
 public:
  CRowWriter(int bitCount, int width, int rows, std::uint8_t* pixels, std::size_t rowBytes)
      : m_bitCount(bitCount),
        m_width(width),
        m_rows(rows),
        m_pixels(pixels),
        m_rowBytes(rowBytes) {}

  void Put(std::uint8_t index) {
    if (m_x >= 0 && m_x < m_width && m_y >= 0 && m_y < m_rows) {
      std::uint8_t* row = m_pixels + static_cast<std::size_t>(m_y) * m_rowBytes;
      if (m_bitCount == 8) {
        row[m_x] = index;
      } else {
        std::uint8_t& byte = row[m_x / 2];
        byte = m_x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                            : static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
      }
    }
    if (m_x < m_width) {
      ++m_x;
    }
  }
  void NextRow() {
    m_x = 0;
    ++m_y;
  }
  // Both steps are at most 255, and x stops at the width, so nothing can overflow.
  void Move(int dx, int dy) {
    m_x = m_x + dx < m_width ? m_x + dx : m_width;
    m_y += dy;
  }
  bool Done() const { return m_y >= m_rows; }

 private:
  int m_bitCount;
  int m_width;
  int m_rows;
  std::uint8_t* m_pixels;
  std::size_t m_rowBytes;
  int m_x = 0;
  int m_y = 0;
};

// The colour index of the n-th pixel of a run or literal: whole bytes for 8 bits, alternating
// high and low nibbles for 4 bits.
std::uint8_t NthIndex(const std::uint8_t* bytes, int n, int bitCount, bool repeat) {
  if (bitCount == 8) {
    return repeat ? bytes[0] : bytes[n];
  }
  const std::uint8_t byte = repeat ? bytes[0] : bytes[n / 2];
  return n % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace

void DecodeRle(const std::uint8_t* codes, std::size_t codeBytes, int bitCount, int width, int rows,
               std::uint8_t* pixels, std::size_t rowBytes) {
  CRowWriter writer(bitCount, width, rows, pixels, rowBytes);
  std::size_t i = 0;
  while (i + 1 < codeBytes && !writer.Done()) {
    const int count = codes[i];
    const std::uint8_t value = codes[i + 1];
    i += 2;
    if (count > 0) {
      for (int n = 0; n < count; ++n) {
        writer.Put(NthIndex(&value, n, bitCount, true));
      }
      continue;
    }
    if (value == 0) {
      writer.NextRow();
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (i + 1 >= codeBytes) {
        return;
      }
      writer.Move(codes[i], codes[i + 1]);
      i += 2;
    } else {
      // A literal run of `value` pixels, padded to a whole number of 16-bit words.
      const std::size_t bytes = bitCount == 8 ? value : (value + 1u) / 2;
      if (bytes > codeBytes - i) {
        return;
      }
      for (int n = 0; n < value; ++n) {
        writer.Put(NthIndex(codes + i, n, bitCount, false));
      }
      i += bytes + (bytes & 1);
    }
  }
}
