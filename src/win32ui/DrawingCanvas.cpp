#include "win32ui/DrawingCanvas.h"

#include <variant>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

DrawingCanvas::~DrawingCanvas() {
  // The bitmap leaves the device context before either is deleted.
  if (originalBitmap_) SelectObject(dc_.Get(), originalBitmap_);
}

void DrawingCanvas::Resize(int width, int height) {
  WindowDC screen(nullptr);
  Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  HGDIOBJ previous = SelectObject(dc_.Get(), bitmap.Get());
  if (!originalBitmap_) {
    originalBitmap_ = previous;
    // The default font of the canvas for the drawing's texts.
    SelectObject(dc_.Get(), GetStockObject(DEFAULT_GUI_FONT));
  }
  bitmap_ = std::move(bitmap);  // the old one, now deselected, is deleted
  size_ = {width, height};
}

HPEN DrawingCanvas::PenFor(Color color) {
  auto [it, made] = pens_.try_emplace(color);
  if (made) it->second.Reset(CreatePen(PS_SOLID, 1, color));
  return it->second.Get();
}

HBRUSH DrawingCanvas::BrushFor(Color color) {
  auto [it, made] = brushes_.try_emplace(color);
  if (made) it->second.Reset(CreateSolidBrush(color));
  return it->second.Get();
}

bool DrawingCanvas::Render(const Drawing& drawing) {
  if (drawing.width <= 0 || drawing.height <= 0) return false;
  if (!bitmap_ || size_.cx != drawing.width || size_.cy != drawing.height) Resize(drawing.width, drawing.height);
  HDC dc = dc_.Get();
  SetROP2(dc, R2_COPYPEN);
  for (const auto& operation : drawing.operations) {
    if (const auto* fill = std::get_if<Drawing::Fill>(&operation)) {
      const RECT all{0, 0, size_.cx, size_.cy};
      FillRect(dc, &all, BrushFor(fill->color));
    } else if (const auto* line = std::get_if<Drawing::Line>(&operation)) {
      Selection pen(dc, PenFor(line->color));
      MoveToEx(dc, line->x1, line->y1, nullptr);
      LineTo(dc, line->x2, line->y2);
    } else if (const auto* text = std::get_if<Drawing::Text>(&operation)) {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, text->background);
      SetTextColor(dc, text->color);
      const std::wstring wide = platform::Utf8ToWide(text->text);
      TextOutW(dc, text->x, text->y, wide.c_str(), static_cast<int>(wide.size()));
    }
  }
  return true;
}

void DrawingCanvas::CopyTo(HDC dc) const { BitBlt(dc, 0, 0, size_.cx, size_.cy, dc_.Get(), 0, 0, SRCCOPY); }

}  // namespace velomar::ui
