#pragma once
// What the framework is told of the program whose windows it makes; it
// knows nothing of the program itself. Each window is given one (Form's
// constructor): the title of its message boxes, the face of its fonts, the
// window class of the controls the framework draws itself (labels, images,
// panels, group boxes, tab sheets) and the pictures its images show.
#include <map>
#include <string>

#include "win32ui/Pictures.h"

namespace velomar::ui {

struct Look {
  // Message boxes without a title of their own, and error reports.
  std::string title{};
  // Every font of the window; empty: the system's choice.
  std::string fontName{};
  std::string partClassName = "FormPart";
  // By name, as layouts and Form::SetPicture name them.
  std::map<std::string, Picture, std::less<>> pictures{};

  // The picture of that name; nullptr for none.
  const Picture* FindPicture(std::string_view name) const {
    auto it = pictures.find(name);
    return it == pictures.end() ? nullptr : &it->second;
  }
};

}  // namespace velomar::ui
