#pragma once
// Pictures computed pixel by pixel at the size they are shown in, into
// 32-bit bitmaps with premultiplied alpha (drawn with AlphaBlend, available
// from Windows 98/2000). The program describes each picture (Look.h); the
// framework renders it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace velomar::ui {

// A colour with straight alpha; each part from 0 to 1.
struct Rgba {
  double r, g, b, a;
};

struct Picture {
  // 1 for a still picture; an animated one loops through its frames.
  int frames = 1;
  // Milliseconds between frames at the pace the picture is drawn for; an
  // animation shown faster divides it.
  int frameDelay = 100;
  // The colour at (x, y), a pixel's centre, of frame `frame` of the picture
  // drawn `width` x `height` pixels.
  std::function<Rgba(double x, double y, double width, double height, int frame)> shade;
};

// A frame's pixels: blue, green, red, alpha (premultiplied), top row first.
struct PicturePixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;
};

// The frame of the picture at a size, computed without the system: on any
// thread. No pixels for an empty size.
PicturePixels ShadePicture(const Picture& picture, int width, int height, int frame);
// The pixels as a bitmap; nullptr for none. The caller owns the bitmap.
HBITMAP BitmapOf(const PicturePixels& pixels);
// Both in one.
HBITMAP RenderPicture(const Picture& picture, int width, int height, int frame);

}  // namespace velomar::ui
