#include "win32ui/Image.h"

#include <algorithm>
#include <map>
#include <variant>

#include "win32ui/Artwork.h"

namespace velomar::ui {

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
// The stored pace of the artwork's animations.
constexpr int kFrameDelay = 100;
constexpr int kFastestSpeed = 1000;

// Draws the operations of a drawing, in order, into `dc`.
class DrawingPainter {
 public:
  DrawingPainter(HDC dc, const Drawing& drawing) : dc_(dc), drawing_(drawing) {}
  void operator()(const Drawing::Fill& fill) {
    const RECT all{0, 0, drawing_.width, drawing_.height};
    Brush brush(CreateSolidBrush(fill.color));
    FillRect(dc_, &all, brush.Get());
  }
  void operator()(const Drawing::Line& line) {
    Selection pen(dc_, PenFor(line.color));
    MoveToEx(dc_, line.x1, line.y1, nullptr);
    LineTo(dc_, line.x2, line.y2);
  }
  void operator()(const Drawing::Text& text) {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, text.background);
    SetTextColor(dc_, text.color);
    TextOutA(dc_, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
  }

 private:
  HPEN PenFor(Color color) {
    auto [it, made] = pens_.try_emplace(color);
    if (made) it->second.Reset(CreatePen(PS_SOLID, 1, color));
    return it->second.Get();
  }
  HDC dc_;
  const Drawing& drawing_;
  std::map<Color, Pen> pens_;
};

}  // namespace

void Image::Created() { ApplyAnimationTimer(); }

HBITMAP Image::Frame(int frame) {
  const int count = ArtworkFrames(picture_);
  if (count == 0 || !hwnd_) return nullptr;
  if (frames_.size() != static_cast<std::size_t>(count)) frames_ = std::vector<Bitmap>(count);
  Bitmap& bitmap = frames_[frame % count];
  if (!bitmap) {
    RECT r;
    GetClientRect(hwnd_, &r);
    bitmap.Reset(CreateArtwork(picture_, r.right, r.bottom, frame % count));
  }
  return bitmap.Get();
}

void Image::SetPicture(const std::string& picture) {
  picture_ = picture;
  frames_.clear();
  frame_ = 0;
  showsDrawing_ = false;
  Invalidate();
}

void Image::SetAnimation(bool playing, int speedPercent) {
  playing_ = playing;
  const int speed = std::clamp(speedPercent, 0, kFastestSpeed);
  interval_ = speed > 0 ? kFrameDelay * 100 / speed : 0;
  ApplyAnimationTimer();
}

int Image::AnimationInterval() const { return playing_ ? interval_ : 0; }

void Image::ApplyAnimationTimer() {
  if (!hwnd_) return;
  if (playing_ && interval_ > 0)
    SetTimer(hwnd_, kAnimationTimer, interval_, nullptr);
  else
    KillTimer(hwnd_, kAnimationTimer);
}

bool Image::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_TIMER && wParam == kAnimationTimer) {
    if (ArtworkFrames(picture_) > 1 && !showsDrawing_) {
      frame_ = (frame_ + 1) % ArtworkFrames(picture_);
      Invalidate();
    }
    result = 0;
    return true;
  }
  return DrawnControl::HandleMessage(message, wParam, lParam, result);
}

void Image::SetDrawing(const Drawing& drawing) {
  if (!hwnd_ || drawing.width <= 0 || drawing.height <= 0) return;
  WindowDC screen(nullptr);
  if (!drawing_ || drawingSize_.cx != drawing.width || drawingSize_.cy != drawing.height) {
    drawing_.Reset(CreateCompatibleBitmap(screen.Get(), drawing.width, drawing.height));
    drawingSize_ = {drawing.width, drawing.height};
  }
  MemoryDC memory(screen.Get());
  {
    Selection bitmap(memory.Get(), drawing_.Get());
    Selection font(memory.Get(), GetStockObject(DEFAULT_GUI_FONT));
    DrawingPainter painter(memory.Get(), drawing);
    for (const auto& operation : drawing.operations) std::visit(painter, operation);
  }
  showsDrawing_ = true;
  // No erasing: the new picture is copied over the old one in one piece.
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool Image::FaceIsOpaque() const {
  if (!showsDrawing_) return false;
  RECT r;
  GetClientRect(hwnd_, &r);
  return drawingSize_.cx >= r.right && drawingSize_.cy >= r.bottom;
}

void Image::PaintFace(HDC dc, const RECT& client) {
  if (showsDrawing_) {
    MemoryDC memory(dc);
    Selection bitmap(memory.Get(), drawing_.Get());
    BitBlt(dc, 0, 0, drawingSize_.cx, drawingSize_.cy, memory.Get(), 0, 0, SRCCOPY);
    return;
  }
  HBITMAP picture = Frame(frame_);
  if (!picture) return;
  MemoryDC memory(dc);
  Selection selected(memory.Get(), picture);
  BITMAP info{};
  GetObject(picture, sizeof(info), &info);
  const int width = spec_.stretch ? client.right : info.bmWidth;
  const int height = spec_.stretch ? client.bottom : info.bmHeight;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, 0, 0, width, height, memory.Get(), 0, 0, info.bmWidth, info.bmHeight, blend);
}

}  // namespace velomar::ui
