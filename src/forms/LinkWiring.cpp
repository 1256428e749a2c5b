#include "forms/LinkWiring.h"

namespace velomar {

void WireLinks(ui::Form& form, WindowLinks& links) {
  using ui::Event;
  using namespace links;
  WindowLinks* l = &links;
  form.On(kRecoverZone, Event::Click, [l] { l->Label8Click(); });
  form.On(kRecoverZone, Event::MouseEnter, [l] { l->Label8MouseEnter(); });
  form.On(kRecoverZone, Event::MouseLeave, [l] { l->Label8MouseLeave(); });
  form.On(kHelpZone, Event::Click, [l] { l->Label13Click(); });
  form.On(kHelpZone, Event::MouseEnter, [l] { l->Label13MouseEnter(); });
  form.On(kHelpZone, Event::MouseLeave, [l] { l->Label13MouseLeave(); });
  form.On(kRecoverImage, Event::Click, [l] { l->Image_RecoverClick(); });
  form.On(kRecoverLabel, Event::Click, [l] { l->Label_RecoverClick(); });
  form.On(kRecoverLabel, Event::MouseEnter, [l] { l->Label_RecoverMouseEnter(); });
  form.On(kRecoverLabel, Event::MouseLeave, [l] { l->Label_RecoverMouseLeave(); });
  form.On(kHelpLabel, Event::Click, [l] { l->Label_GetHelpClick(); });
  form.On(kHelpImage, Event::Click, [l] { l->Image_HelpClick(); });
}

}  // namespace velomar
