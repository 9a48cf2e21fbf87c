#pragma once

#include <string>

#include "image/DeviceBitmap.h"
#include "image/DibImage.h"

// An image backed by a BMP file: captured from a device bitmap, written with Save, read with
// Load. File names are 8-bit strings passed to the C runtime unchanged.
class CDibFile : public CDibImage {
 public:
  CDibFile() = default;
  // Captures the bitmap at its own bit count; 8 bits or less get a palette of the bitmap's
  // colours. A null or malformed description leaves the image empty.
  explicit CDibFile(const CDeviceBitmap* bitmap);

  // Reads a BMP file (an empty name reads the stored name); nonzero on success. On failure
  // the image is empty.
  int Load(const std::string& name) override;
  // Writes the image as a BMP file under the name given; nonzero on success. A failed write
  // leaves no file behind.
  int Save(const std::string& name) override;

  const std::string& FileName() const { return m_fileName; }

 private:
  std::string m_fileName;
};
