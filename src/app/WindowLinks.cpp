#include "app/WindowLinks.h"

#include "bandwidth/BandwidthClass.h"

namespace velomar {

using namespace links;

std::vector<Component> LinkComponents(const LinkPlacement& at, std::string recoverCaption, std::string helpCaption,
                                      std::string recoverHint, std::string helpHint) {
  using namespace layout;
  // clang-format off
  return {
      Image(kRecoverImage, at.recoverImage).Picture("RecoverLink").Stretch().HandCursor(),
      Label(kRecoverLabel, at.recoverLabel, std::move(recoverCaption)).Font(12).Transparent().HandCursor(),
      Image(kHelpImage,    at.helpImage).Picture("HelpLink").Stretch().HandCursor(),
      Label(kHelpLabel,    at.helpLabel, std::move(helpCaption)).Font(12).Transparent().HandCursor(),
      Label(kRecoverZone,  at.recoverZone).Transparent().HandCursor().Hint(std::move(recoverHint)),
      Label(kHelpZone,     at.helpZone).Transparent().HandCursor().Hint(std::move(helpHint)),
  };
  // clang-format on
}

std::vector<Component> TickLabels(const std::string& parent, const std::array<int, 11>& x, int y) {
  static constexpr std::array<const char*, 11> kNames = {"Label1",  "Label2", "Label3", "Label4",  "Label5", "Label9",
                                                         "Label10", "Label6", "Label7", "Label11", "Label12"};
  std::vector<Component> labels;
  for (std::size_t p = 0; p < kNames.size(); ++p)
    labels.push_back(layout::Label(kNames[p], {x[p], y}, BandwidthClasses()[p].tickLabel).In(parent).Transparent());
  return labels;
}

void WindowLinks::Wire() {
  window_.On(kRecoverZone, Event::Click, [this] { RecoverZoneClick(); });
  window_.On(kRecoverZone, Event::MouseEnter, [this] { RecoverZoneMouseEnter(); });
  window_.On(kRecoverZone, Event::MouseLeave, [this] { RecoverZoneMouseLeave(); });
  window_.On(kHelpZone, Event::Click, [this] { HelpZoneClick(); });
  window_.On(kHelpZone, Event::MouseEnter, [this] { HelpZoneMouseEnter(); });
  window_.On(kHelpZone, Event::MouseLeave, [this] { HelpZoneMouseLeave(); });
  window_.On(kRecoverImage, Event::Click, [this] { Image_RecoverClick(); });
  window_.On(kRecoverLabel, Event::Click, [this] { Label_RecoverClick(); });
  window_.On(kRecoverLabel, Event::MouseEnter, [this] { Label_RecoverMouseEnter(); });
  window_.On(kRecoverLabel, Event::MouseLeave, [this] { Label_RecoverMouseLeave(); });
  window_.On(kHelpLabel, Event::Click, [this] { Label_GetHelpClick(); });
  window_.On(kHelpImage, Event::Click, [this] { Image_HelpClick(); });
}

void WindowLinks::RecoverZoneClick() {
  if (!busy_ && actions_.recoverZone) actions_.recoverZone();
}
void WindowLinks::RecoverZoneMouseEnter() {
  if (!busy_) window_.SetBold(kRecoverLabel, true);
}
void WindowLinks::RecoverZoneMouseLeave() {
  if (!busy_) window_.SetBold(kRecoverLabel, false);
}
void WindowLinks::HelpZoneClick() {
  if (!busy_) window_.OpenHelpPage();
}
void WindowLinks::HelpZoneMouseEnter() {
  if (!busy_) window_.SetBold(kHelpLabel, true);
}
void WindowLinks::HelpZoneMouseLeave() {
  if (!busy_) window_.SetBold(kHelpLabel, false);
}
void WindowLinks::Image_RecoverClick() {
  if (actions_.recoverImage) actions_.recoverImage();
}
void WindowLinks::Label_RecoverClick() {
  if (actions_.recoverCaption) actions_.recoverCaption();
}
void WindowLinks::Label_RecoverMouseEnter() { window_.SetBold(kRecoverLabel, true); }
void WindowLinks::Label_RecoverMouseLeave() { window_.SetBold(kRecoverLabel, false); }
void WindowLinks::Label_GetHelpClick() { window_.OpenHelpPage(); }
void WindowLinks::Image_HelpClick() { window_.OpenHelpPage(); }

}  // namespace velomar
