#include "win32ui/Image.h"

#include <algorithm>
#include <system_error>

namespace velomar::ui {

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr int kFastestSpeed = 1000;

}  // namespace

Image::Image(ControlHost& host, Component spec, int index) : DrawnControl(host, std::move(spec), index) {
  // The look and its pictures live as long as the window, which outlives
  // this image and so the worker.
  const Picture* picture = Shown();
  if (!picture || spec_.width <= 0 || spec_.height <= 0) return;
  try {
    prepared_ = std::async(std::launch::async, ShadePicture, std::cref(*picture), spec_.width, spec_.height, 0);
  } catch (const std::system_error&) {
    // No thread to spare: the frame is computed when it is first painted.
  }
}

void Image::Created() { ApplyAnimationTimer(); }

const Picture* Image::Shown() const { return host_.WindowLook().FindPicture(picture_); }

HBITMAP Image::Frame(int frame) {
  const Picture* picture = Shown();
  const int count = picture ? picture->frames : 0;
  if (count <= 0 || !hwnd_) return nullptr;
  if (frames_.size() != static_cast<std::size_t>(count)) frames_ = std::vector<Bitmap>(count);
  Bitmap& bitmap = frames_[frame % count];
  if (!bitmap) {
    RECT r;
    GetClientRect(hwnd_, &r);
    PicturePixels pixels;
    if (prepared_.valid()) pixels = prepared_.get();
    const bool fits = frame % count == 0 && pixels.width == r.right && pixels.height == r.bottom;
    bitmap.Reset(fits ? BitmapOf(pixels) : RenderPicture(*picture, r.right, r.bottom, frame % count));
  }
  return bitmap.Get();
}

void Image::SetPicture(const std::string& picture) {
  picture_ = picture;
  prepared_ = {};  // waits for the worker
  frames_.clear();
  frame_ = 0;
  showsDrawing_ = false;
  Invalidate();
}

void Image::SetAnimation(bool playing, int speedPercent) {
  playing_ = playing;
  const int speed = std::clamp(speedPercent, 0, kFastestSpeed);
  // The speed divides the pace the picture is drawn for.
  const Picture* picture = Shown();
  const int delay = picture ? picture->frameDelay : Picture{}.frameDelay;
  interval_ = speed > 0 ? delay * 100 / speed : 0;
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
    const Picture* picture = Shown();
    if (picture && picture->frames > 1 && !showsDrawing_) {
      frame_ = (frame_ + 1) % picture->frames;
      Invalidate();
    }
    result = 0;
    return true;
  }
  return DrawnControl::HandleMessage(message, wParam, lParam, result);
}

void Image::SetDrawing(const Drawing& drawing) {
  if (!hwnd_ || !canvas_.Render(drawing)) return;
  showsDrawing_ = true;
  // No erasing: the new picture is copied over the old one in one piece.
  InvalidateRect(hwnd_, nullptr, FALSE);
}

bool Image::FaceIsOpaque() const {
  if (!showsDrawing_) return false;
  RECT r;
  GetClientRect(hwnd_, &r);
  return canvas_.Size().cx >= r.right && canvas_.Size().cy >= r.bottom;
}

void Image::PaintFace(HDC dc, const RECT& client) {
  if (showsDrawing_) return canvas_.CopyTo(dc);
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
