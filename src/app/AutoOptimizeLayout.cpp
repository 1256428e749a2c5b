// The automatic optimisation window as designed. Only the top of the panel
// fits the design height: the first run makes the window taller, which
// brings the log list into view.
#include <algorithm>
#include <string>
#include <vector>

#include "app/AutoOptimizeWindow.h"
#include "app/WindowLinks.h"

namespace velomar {

namespace {
constexpr int kLogWidth = 441;
}  // namespace

FormLayout AutoOptimizeLayout() {
  using namespace layout;
  FormLayout f;
  f.className = "TForm_Velomar_AutoOptimize";
  f.caption = "Velomar - Automatic Optimization";
  f.clientWidth = 473;
  f.clientHeight = 253;
  f.fontHeight = 11;
  f.color = Rgb(210, 210, 210);
  const char* panel = "Panel_Back";
  const char* group = "GroupBox_Speed";
  const Color dark = Rgb(44, 44, 44);
  // The name column takes half the list less 20 pixels, the values a quarter each.
  const int quarter = kLogWidth / 4;
  // clang-format off
  f.components = {
      Image("Image_Icon",                      {16, 0, 64, 64}).Picture("Program").Stretch(),
      Label("Label_Auto_Title",                {91, 8, 175, 23}, "Automatic Mode").Bold().Font(19).FontColor(Rgb(10, 78, 146)),
      Label("Label_Auto_Introduce",            {91, 39, 358, 0}, "Choose the speed of your internet connection and press Optimize. Velomar then tunes Windows and Firefox for it; this takes a few seconds.").WordWrap(),
  };
  const auto linkParts = LinkComponents({.recoverImage = {315, 10, 59, 15}, .recoverLabel = {334, 10},
                                         .helpImage = {385, 10, 66, 16},    .helpLabel = {405, 10},
                                         .recoverZone = {312, 8, 70, 19},   .helpZone = {384, 8, 76, 19}},
                                        "Undo", "Help",
                                        "Put back the TCP/IP and Firefox settings from before the first optimization",
                                        "Open the user guide");
  f.components.insert(f.components.end(), linkParts.begin(), linkParts.end());
  const std::vector<Component> body = {
      Panel("Panel_Back",                      {-8, 78, 497, 419}).Background(Rgb(230, 230, 230)),
      Label("Label_ChooseBandwidth",           {24, 12}, "Choose the speed of your internet connection:").In(panel).Bold().Font(13).FontColor(dark),
      GroupBox("GroupBox_Speed",               {24, 34, kLogWidth, 81}, "  Connection speed :    56 Kbps  ").In(panel),
      TrackBar("TrackBar_BandWidth",           {15, 20, 403, 33}).In(group).Range(0, 10).Page(1),
  };
  f.components.insert(f.components.end(), body.begin(), body.end());
  const auto ticks = TickLabels(group, {18, 56, 95, 134, 173, 210, 245, 285, 317, 355, 400}, 52);
  f.components.insert(f.components.end(), ticks.begin(), ticks.end());
  const std::vector<Component> rest = {
      ProgressBar("ProgressBar_Optimize",      {24, 129, 342, 16}).In(panel).Range(0, auto_window::kProgressEnd).Hidden(),
      // Two lines where a long status meets the buttons.
      Label("Label_ProcessState",              {42, 135, 262, 26}).In(panel).Bold().Font(11).FontColor(dark).FixedSize().WordWrap(),
      Image("Image_Animation",                 {24, 150, 16, 16}).In(panel).Picture("Busy").Stretch().Transparent().Hidden(),
      Label("Label_Doing",                     {45, 151, 350, 13}).In(panel).FixedSize().WordWrap().Hidden(),
      Label("Label_Notice",                    {42, 162, 423, 13}).In(panel).WordWrap().FontColor(Rgb(10, 78, 146)).Hidden(),
      Button("Button_Preview",                 {309, 136, 75, 25}, "Preview").In(panel),
      Button("Button_UndoFile",                {309, 136, 75, 25}, "Undo file...").In(panel).Hidden()
          .Hint("Save a file with which Windows' regedit puts back your settings from before Velomar first changed them"),
      Button("Button_AutoOptimize",            {392, 136, 75, 25}, "Optimize").In(panel),
      ListView("ListView_Log",                 {24, 176, kLogWidth, 209}).In(panel).ReadOnly().Columns({"Name", "Old Value", "New Value"}, {quarter * 2 - 20, quarter, quarter}),
      Timer("Timer_Show", 100),
  };
  // clang-format on
  f.components.insert(f.components.end(), rest.begin(), rest.end());
  return f;
}

}  // namespace velomar
