#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/BinaryFile.h"

// A file held in memory: reads come from its bytes, writes append up to an optional capacity
// (a disk that fills up) and every write's length is recorded.
class CMemoryFile : public IBinaryFile {
 public:
  explicit CMemoryFile(std::vector<std::uint8_t> bytes = {},
                       std::size_t capacity = static_cast<std::size_t>(-1))
      : m_bytes(std::move(bytes)), m_capacity(capacity) {}

  std::size_t Read(void* buffer, std::size_t length) override {
    const std::size_t n = std::min(length, m_bytes.size() - std::min(m_position, m_bytes.size()));
    if (n > 0) {
      std::memcpy(buffer, m_bytes.data() + m_position, n);
    }
    m_position += n;
    return n;
  }
  std::size_t Write(const void* buffer, std::size_t length) override {
    m_writes.push_back(length);
    const std::size_t n = std::min(length, m_capacity - std::min(m_capacity, m_bytes.size()));
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    m_bytes.insert(m_bytes.end(), bytes, bytes + n);
    m_position = m_bytes.size();
    return n;
  }
  int SeekTo(std::int64_t position) override {
    if (position < 0) {
      return 0;
    }
    m_position = static_cast<std::size_t>(position);
    return 1;
  }
  std::int64_t Tell() override { return static_cast<std::int64_t>(m_position); }
  std::int64_t Size() override { return static_cast<std::int64_t>(m_bytes.size()); }

  const std::vector<std::size_t>& Writes() const { return m_writes; }
  const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
  std::size_t m_capacity;
  std::size_t m_position = 0;
  std::vector<std::size_t> m_writes;
};
