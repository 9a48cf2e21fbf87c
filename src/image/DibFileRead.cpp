#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/BitFields.h"
#include "image/DibFileIo.h"
#include "image/RleDecode.h"

namespace {

// The rows in the file's own form, turned bottom-up and, for masks that are not the block's
// own, into 24-bit pixels. 0 when the file holds fewer bytes than it promised.
int ReadRows(IBinaryFile& file, const BitmapInfoHeader& form, const ChannelMasks* masks,
             std::uint8_t* rows, std::uint32_t rowBytes) {
  const bool topDown = form.biHeight < 0;
  const std::int64_t count = topDown ? -std::int64_t{form.biHeight} : form.biHeight;
  const auto fileRowBytes = static_cast<std::size_t>(DibRowBytes(form.biWidth, form.biBitCount));
  std::vector<std::uint8_t> fileRow(masks != nullptr ? fileRowBytes : 0);
  for (std::int64_t i = 0; i < count; ++i) {
    std::uint8_t* row = rows + static_cast<std::size_t>(topDown ? count - 1 - i : i) * rowBytes;
    std::uint8_t* into = masks != nullptr ? fileRow.data() : row;
    if (file.Read(into, fileRowBytes) != fileRowBytes) {
      return 0;
    }
    if (masks != nullptr) {
      ConvertMaskedRow(into, form.biBitCount, *masks, row, form.biWidth);
    }
  }
  return 1;
}

}  // namespace

DibPtr ReadDib(IBinaryFile& file) {
  const DibPtr source = ReadDibHeader(file);
  if (!source) {
    return nullptr;
  }
  const BitmapInfoHeader form = ReadInfoHeader(source.get());
  const bool masked = form.biCompression == kCompressionBitFields;
  const ChannelMasks masks =
      masked ? ReadChannelMasks(source.get() + kInfoHeaderSize) : ChannelMasks{};
  const bool convert = masked && !AreBlockMasks(masks, form.biBitCount);
  BitmapInfoHeader header = form;
  header.biHeight = std::abs(form.biHeight);  // the header reader refuses the most negative
  header.biBitCount = convert ? 24 : form.biBitCount;
  header.biCompression = kCompressionRgb;
  const std::int64_t rowBytes = DibRowBytes(header.biWidth, header.biBitCount);
  header.biSizeImage = DibImageBytes(rowBytes, header.biHeight);
  const std::uint32_t tableBytes = 4 * form.biClrUsed;
  const std::uint32_t blockBytes = DibBlockBytes(tableBytes, header.biSizeImage);
  DibPtr block = blockBytes == 0 ? nullptr : CallocDib(blockBytes);
  if (!block) {
    return nullptr;
  }
  WriteInfoHeader(block.get(), header);
  std::memcpy(block.get() + kInfoHeaderSize, source.get() + kInfoHeaderSize, tableBytes);
  std::uint8_t* rows = block.get() + kInfoHeaderSize + tableBytes;
  if (form.biCompression == kCompressionRle8 || form.biCompression == kCompressionRle4) {
    std::vector<std::uint8_t> codes(form.biSizeImage);
    if (file.Read(codes.data(), codes.size()) != codes.size()) {
      return nullptr;
    }
    DecodeRle(codes.data(), codes.size(), header.biBitCount, header.biWidth, header.biHeight, rows,
              static_cast<std::size_t>(rowBytes));
    return block;
  }
  if (ReadRows(file, form, convert ? &masks : nullptr, rows,
               static_cast<std::uint32_t>(rowBytes)) == 0) {
    return nullptr;
  }
  return block;
}

DibPtr ReadDibFile(const std::string& name) {
  CStdioFile file(name, CStdioFile::Mode::Read);
  if (!file.IsOpen()) {
    return nullptr;
  }
  return ReadDib(file);
}
