#pragma once
// Images: a picture of the window's look (drawn with its alpha, at the
// size shown; animated ones step through their frames on a timer of their
// own), or a drawing computed by the caller (the traffic graph), rendered
// off screen and copied in whole, so that a redraw every second neither
// flickers nor leaks. A picture's first frame at the designed size is
// computed on a worker from the moment the image is made, so that the
// window's first paint finds it ready instead of computing it then.
#include <future>
#include <vector>

#include "win32ui/ControlCapabilities.h"
#include "win32ui/DrawingCanvas.h"
#include "win32ui/Drawn.h"
#include "win32ui/Gdi.h"

namespace velomar::ui {

class Image : public DrawnControl, public PictureFrame {
 public:
  Image(ControlHost& host, Component spec, int index);

  void SetPicture(const std::string& picture) override;
  void SetAnimation(bool playing, int speedPercent) override;
  int AnimationInterval() const override;
  void SetDrawing(const Drawing& drawing) override;

 protected:
  void Created() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void PaintFace(HDC dc, const RECT& client) override;
  bool FaceIsOpaque() const override;

 private:
  // The picture of the window's look this image shows; nullptr for none.
  const Picture* Shown() const;
  // Its frame at the size shown, made once.
  HBITMAP Frame(int frame);
  void ApplyAnimationTimer();

  std::string picture_ = spec_.picture;
  std::vector<Bitmap> frames_;
  // The first frame at the designed size, while it is being computed.
  std::future<PicturePixels> prepared_;
  int frame_ = 0;
  bool playing_ = false;
  int interval_ = 0;
  // The last drawing, while it is what the image shows.
  DrawingCanvas canvas_;
  bool showsDrawing_ = false;
};

}  // namespace velomar::ui
