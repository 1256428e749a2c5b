#pragma once
// The program's pictures, as the framework draws them (win32ui/Pictures.h):
// simple original artwork computed pixel by pixel at the size shown.
// "Program" (the program picture), "RecoverLink", "HelpLink",
// "TabSelected", "TabNotSelected", "Busy" (the looping busy animation).
#include <map>
#include <string>

#include "win32ui/Pictures.h"

namespace velomar {

std::map<std::string, ui::Picture, std::less<>> VelomarPictures();

}  // namespace velomar
