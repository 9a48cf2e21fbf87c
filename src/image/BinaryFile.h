#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// Plain binary file access as the BMP reader and writer need it: read, write, seek from the
// start or from the current position, and the size. An interface so that tests can count the
// writes and feed bytes from memory.
class IBinaryFile {
 public:
  virtual ~IBinaryFile() = default;
  // Bytes actually transferred.
  virtual std::size_t Read(void* buffer, std::size_t length) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t length) = 0;
  // Nonzero when the position could be moved to the offset from the start.
  virtual int SeekTo(std::int64_t position) = 0;
  // The current position, -1 when unknown.
  virtual std::int64_t Tell() = 0;
  // The length of the file in bytes, -1 when unknown.
  virtual std::int64_t Size() = 0;
};

// A file on disk through the C runtime, which both the Linux and the Windows build provide.
class CStdioFile : public IBinaryFile {
 public:
  enum class Mode { Read, CreateWrite };

  CStdioFile(const std::string& name, Mode mode);
  CStdioFile(const CStdioFile&) = delete;
  CStdioFile& operator=(const CStdioFile&) = delete;
  ~CStdioFile() override;

  bool IsOpen() const { return m_file != nullptr; }
  // Flushes and closes; nonzero when everything written reached the file.
  int Close();

  std::size_t Read(void* buffer, std::size_t length) override;
  std::size_t Write(const void* buffer, std::size_t length) override;
  int SeekTo(std::int64_t position) override;
  std::int64_t Tell() override;
  std::int64_t Size() override;

 private:
  std::FILE* m_file = nullptr;
  bool m_writing = false;
};
