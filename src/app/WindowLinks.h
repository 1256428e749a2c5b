#pragma once
// What the automatic and the custom window share: the recover and help
// links at the top right with the two caption-less hot zones above them,
// and the tick labels under the class track bar.
//
// The hot zones (Label8 over the recover link, Label13 over the help link)
// lie above the link captions and pictures, so a click on a link reaches a
// hot zone; the caption and picture handlers act only where a link reaches
// out of its zone (a longer translated caption). The zones do nothing while
// a pass runs.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

namespace links {
inline constexpr const char* kRecoverLabel = "Label_Recover";
inline constexpr const char* kRecoverImage = "Image_Recover";
inline constexpr const char* kHelpLabel = "Label_GetHelp";
inline constexpr const char* kHelpImage = "Image_Help";
inline constexpr const char* kRecoverZone = "Label8";
inline constexpr const char* kHelpZone = "Label13";
// The six components of the links, for disabling them during a pass.
inline constexpr std::array<const char*, 6> kAll = {kRecoverLabel, kRecoverImage, kHelpLabel,
                                                    kHelpImage,    kRecoverZone,  kHelpZone};
}  // namespace links

// Where a window puts its links.
struct LinkPlacement {
  layout::Box recoverImage;
  layout::Box recoverLabel;  // position only: the caption sizes itself
  layout::Box helpImage;
  layout::Box helpLabel;
  layout::Box recoverZone;
  layout::Box helpZone;
};

// The links as layout components: the pill pictures first (they lie behind
// the captions), then the transparent captions at character height 12, then
// the two hot zones above both, with the hints they show.
std::vector<Component> LinkComponents(const LinkPlacement& at, std::string recoverCaption, std::string helpCaption,
                                      std::string recoverHint = {}, std::string helpHint = {});

// The eleven tick labels under a class track bar, by class position 0 to
// 10 (Label1 ... Label5, Label9, Label10, Label6, Label7, Label11, Label12),
// captioned with the classes' tick texts.
std::vector<Component> TickLabels(const std::string& parent, const std::array<int, 11>& x, int y);

// What the links do in a window.
struct LinkActions {
  std::function<void()> recoverZone;     // RecoverZoneClick while no pass runs
  std::function<void()> recoverImage;    // Image_RecoverClick
  std::function<void()> recoverCaption;  // Label_RecoverClick
};

// The links' click and hover rules. Help always opens the window's help
// page; the zones check the busy flag, the captions do not.
class WindowLinks {
 public:
  WindowLinks(WindowState& window, const bool& busy, LinkActions actions)
      : window_(window), busy_(busy), actions_(std::move(actions)) {}

  // Attaches the handlers below to the links' components.
  void Wire();

  void RecoverZoneClick();
  void RecoverZoneMouseEnter();
  void RecoverZoneMouseLeave();
  void HelpZoneClick();
  void HelpZoneMouseEnter();
  void HelpZoneMouseLeave();
  void Image_RecoverClick();
  void Label_RecoverClick();
  void Label_RecoverMouseEnter();
  void Label_RecoverMouseLeave();
  void Label_GetHelpClick();
  void Image_HelpClick();

 private:
  WindowState& window_;
  const bool& busy_;
  LinkActions actions_;
};

}  // namespace velomar
