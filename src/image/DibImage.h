#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "image/ColourPalette.h"
#include "image/DibBlock.h"

// A device-independent image held as one packed block (see DibBlock.h), with the palette made
// from its colour table. Its file operations do nothing; CDibFile gives them a file.
//
// Row y = 0 is the first stored row, the bottom of the picture. Pixels of 1 and 4 bits are
// addressed on their own bits within their byte, the leftmost pixel in the high bits.
class CDibImage {
 public:
  CDibImage() = default;
  CDibImage(const CDibImage&) = delete;
  CDibImage& operator=(const CDibImage&) = delete;
  virtual ~CDibImage() = default;

  // Nonzero when 0 <= x < width and 0 <= y < height.
  virtual int IsInside(int x, int y) const;
  // Rebuilds the image as a new zero-filled block with the default colour table. A negative
  // colour mode stands for 0 up to 8 bits and 2 above. When no block can be made the image is
  // left empty (every member zero).
  virtual void Create(int width, int height, int bitCount, int colourMode);
  // The colour index of a pixel of 8 bits or less; -1 outside the image or above 8 bits.
  virtual int GetPixelIndex(int x, int y) const;
  // Nonzero with the pixel's colour; 0 outside the image or when its index names no colour.
  virtual int GetPixelRGB(int x, int y, std::uint8_t& red, std::uint8_t& green,
                          std::uint8_t& blue) const;
  // Nonzero when the pixel (8 bits or less, inside) took the low bits of the index.
  virtual int SetPixelIndex(int x, int y, int index);
  // Stores the colour; with bit 0 of the colour mode set, as the palette's nearest index
  // (0 without a palette). Images of 8 bits or less without a palette store the nearest
  // colour of their colour table.
  virtual int SetPixelRGB(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  virtual int Load(const std::string& name);
  virtual int Save(const std::string& name);

  const std::uint8_t* Bits() const { return m_bits; }
  std::uint8_t* Bits() { return m_bits; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BitCount() const { return m_bitCount; }
  int ColourMode() const { return m_colourMode; }
  int RowBytes() const { return m_rowBytes; }
  const std::uint8_t* Dib() const { return m_dib.get(); }
  std::uint8_t* Dib() { return m_dib.get(); }
  const CColourPalette* Palette() const { return m_palette.get(); }

 protected:
  // Releases the block and the palette and leaves every member zero.
  void Clear();
  // Takes a block made by AllocDib or the reader and sets the members from it.
  void AttachDib(DibPtr block);
  // Makes the palette from the colour table; when there is one the table goes to index form
  // and the colour mode becomes 3. Nonzero when a palette was made.
  int BuildPalette();

  std::uint8_t* m_bits = nullptr;
  int m_width = 0;
  int m_height = 0;
  int m_bitCount = 0;
  int m_colourMode = 0;
  int m_rowBytes = 0;
  DibPtr m_dib;
  std::unique_ptr<CColourPalette> m_palette;

 private:
  std::uint8_t* PixelByte(int x, int y) const;
};
