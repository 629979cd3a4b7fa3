// Drawing surface for the picture of a polynomial's list structure.
//
// The polynomial draws through this small interface so that the algebra stays free of any
// windowing toolkit: the windows implement it on their own raster images, the tests record
// the calls. Coordinates are pixels, x to the right, y downwards. A rectangle or ellipse
// from (x1, y1) to (x2, y2) covers the box whose left-top corner is (x1, y1) and whose
// right-bottom corner is (x2, y2).
#pragma once

#include <cstdint>
#include <string>

namespace LISTSTRUCT {

// A colour given by its red, green and blue components (0..255).
struct TCanvasColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;

  friend bool operator==(const TCanvasColor&, const TCanvasColor&) = default;
};

inline constexpr TCanvasColor CanvasBlack{0, 0, 0};
inline constexpr TCanvasColor CanvasRed{255, 0, 0};

class TCanvas {
public:
  virtual ~TCanvas() = default;

  // Rectangle filled with `fill` and outlined by a pen of colour `pen`, `penWidth` pixels wide.
  virtual void Rectangle(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                         int penWidth) = 0;
  // Ellipse inscribed in the box, filled and outlined like Rectangle.
  virtual void Ellipse(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                       int penWidth) = 0;
  // Straight line from (x1, y1) to (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, TCanvasColor pen, int penWidth) = 0;
  // Text in the canvas font (black) with its left-top corner at (x, y), on a `background` box.
  virtual void TextOut(int x, int y, const std::string& text, TCanvasColor background) = 0;

  // Extent of a text in the canvas font (UTF-8).
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;

  // Size of the bitmap drawn on; the width may be changed, the height stays.
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  virtual void SetWidth(int width) = 0;
};

} // namespace LISTSTRUCT
