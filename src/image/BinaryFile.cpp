#include "image/BinaryFile.h"

namespace {

// 64-bit positions on both C runtimes, so that the size checks see the whole file.
int SeekStream(std::FILE* file, std::int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

std::int64_t TellStream(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return static_cast<std::int64_t>(ftello(file));
#endif
}

}  // namespace

CStdioFile::CStdioFile(const std::string& name, Mode mode) : m_writing(mode == Mode::CreateWrite) {
  if (!name.empty()) {
    m_file = std::fopen(name.c_str(), mode == Mode::Read ? "rb" : "wb");
  }
}

CStdioFile::~CStdioFile() {
  Close();
}

int CStdioFile::Close() {
  if (m_file == nullptr) {
    return 0;
  }
  // Buffered bytes that do not reach the disk are a failed write too.
  const bool flushed = !m_writing || (std::fflush(m_file) == 0 && std::ferror(m_file) == 0);
  const bool closed = std::fclose(m_file) == 0;
  m_file = nullptr;
  return flushed && closed ? 1 : 0;
}

std::size_t CStdioFile::Read(void* buffer, std::size_t length) {
  return m_file == nullptr || length == 0 ? 0 : std::fread(buffer, 1, length, m_file);
}

std::size_t CStdioFile::Write(const void* buffer, std::size_t length) {
  return m_file == nullptr || length == 0 ? 0 : std::fwrite(buffer, 1, length, m_file);
}

int CStdioFile::SeekTo(std::int64_t position) {
  return m_file != nullptr && position >= 0 && SeekStream(m_file, position, SEEK_SET) == 0 ? 1 : 0;
}

std::int64_t CStdioFile::Tell() {
  return m_file == nullptr ? -1 : TellStream(m_file);
}

std::int64_t CStdioFile::Size() {
  if (m_file == nullptr) {
    return -1;
  }
  const std::int64_t here = TellStream(m_file);
  if (here < 0 || SeekStream(m_file, 0, SEEK_END) != 0) {
    return -1;
  }
  const std::int64_t size = TellStream(m_file);
  return SeekStream(m_file, here, SEEK_SET) == 0 ? size : -1;
}
