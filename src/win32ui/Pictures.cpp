#include "win32ui/Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velomar::ui {

PicturePixels ShadePicture(const Picture& picture, int width, int height, int frame) {
  if (width <= 0 || height <= 0 || !picture.shade || picture.frames <= 0) return {};
  PicturePixels pixels{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  const double w = width, h = height;
  const int shown = frame % picture.frames;
  std::uint8_t* pixel = pixels.bytes.data();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x, pixel += 4) {
      const Rgba c = picture.shade(x + 0.5, y + 0.5, w, h, shown);
      const double a = std::clamp(c.a, 0.0, 1.0);
      pixel[0] = static_cast<std::uint8_t>(std::lround(std::clamp(c.b, 0.0, 1.0) * a * 255));
      pixel[1] = static_cast<std::uint8_t>(std::lround(std::clamp(c.g, 0.0, 1.0) * a * 255));
      pixel[2] = static_cast<std::uint8_t>(std::lround(std::clamp(c.r, 0.0, 1.0) * a * 255));
      pixel[3] = static_cast<std::uint8_t>(std::lround(a * 255));
    }
  }
  return pixels;
}

HBITMAP BitmapOf(const PicturePixels& pixels) {
  if (pixels.bytes.empty()) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  std::memcpy(bits, pixels.bytes.data(), pixels.bytes.size());
  GdiFlush();
  return bitmap;
}

HBITMAP RenderPicture(const Picture& picture, int width, int height, int frame) {
  return BitmapOf(ShadePicture(picture, width, height, frame));
}

}  // namespace velomar::ui
