#pragma once
// The program's pictures, drawn at the size they are shown in: simple
// original artwork computed pixel by pixel into 32-bit bitmaps with
// premultiplied alpha (drawn with AlphaBlend, available from Windows 98/2000).
#include <windows.h>

#include <string>

namespace velomar::ui {

// Names: "Program" (the program picture), "RecoverLink", "HelpLink",
// "TabSelected", "TabNotSelected", "Busy" (the looping busy animation).
// nullptr for an unknown name or an empty size. The caller owns the bitmap.
HBITMAP CreateArtwork(const std::string& name, int width, int height, int frame);
// Frames of a picture: 1 for still ones, 0 for unknown names.
int ArtworkFrames(const std::string& name);
// Milliseconds between frames at the pace the picture is drawn for; an
// animation shown faster divides it.
int ArtworkFrameDelay(const std::string& name);

}  // namespace velomar::ui
