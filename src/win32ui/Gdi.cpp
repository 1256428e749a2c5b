#include "win32ui/Gdi.h"

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

HFONT GdiCache::FontFor(int height, bool bold) {
  auto [it, made] = fonts_.try_emplace({height, bold});
  if (made)
    it->second.Reset(CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 platform::Utf8ToWide(fontName_).c_str()));
  return it->second.Get();
}

HBRUSH GdiCache::BrushFor(COLORREF color) {
  auto [it, made] = brushes_.try_emplace(color);
  if (made) it->second.Reset(CreateSolidBrush(color));
  return it->second.Get();
}

}  // namespace velomar::ui
