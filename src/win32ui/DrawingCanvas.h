#pragma once
// The off-screen picture an image renders drawings into. It keeps its
// bitmap, device context, pens and brushes from one drawing to the next, so
// a graph redrawn every second makes no GDI object after its first frame.
#include <windows.h>

#include <map>

#include "win32ui/Gdi.h"
#include "window/Drawing.h"

namespace velomar::ui {

class DrawingCanvas {
 public:
  DrawingCanvas() = default;
  ~DrawingCanvas();
  DrawingCanvas(const DrawingCanvas&) = delete;
  DrawingCanvas& operator=(const DrawingCanvas&) = delete;

  // Renders `drawing` in place of the last one; false for an empty size.
  bool Render(const Drawing& drawing);
  void CopyTo(HDC dc) const;
  SIZE Size() const { return size_; }

 private:
  void Resize(int width, int height);
  HPEN PenFor(Color color);
  HBRUSH BrushFor(Color color);

  MemoryDC dc_;
  Bitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  SIZE size_{0, 0};
  std::map<Color, Pen> pens_;
  std::map<Color, Brush> brushes_;
};

}  // namespace velomar::ui
