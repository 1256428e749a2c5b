#include "window/Layout.h"

#include "window/MemoryWindow.h"

namespace velomar {

namespace layout {
Component Make(ComponentKind kind, std::string name, Box box, std::string caption) {
  Component c;
  c.name = std::move(name);
  c.kind = kind;
  c.x = box.x;
  c.y = box.y;
  c.width = box.width;
  c.height = box.height;
  c.caption = std::move(caption);
  return c;
}
}  // namespace layout

const Component* FormLayout::Find(const std::string& name) const {
  for (const auto& component : components)
    if (component.name == name) return &component;
  return nullptr;
}

void DesignMemoryWindow(MemoryWindow& window, const FormLayout& layout) {
  window.SetCaption(layout.caption);
  for (const auto& c : layout.components) window.DeclareComponent(c.name, c.kind, c.tag, c.parent);
  // A designed property the kind lacks is left out, as the Win32 window leaves it.
  for (const auto& c : layout.components) {
    window.Design(c.name, c.caption);
    if (KindHas(c.kind, Capability::Check)) window.DesignChecked(c.name, c.checked);
    if (!c.hint.empty()) window.SetHint(c.name, c.hint);
    if (KindHas(c.kind, Capability::Range)) {
      window.SetRange(c.name, c.minimum, c.maximum);
      window.DesignPosition(c.name, c.position);
    }
    if (KindHas(c.kind, Capability::Rows) && !c.columns.empty()) window.DesignColumns(c.name, c.columns);
    if (KindHas(c.kind, Capability::ItemList) && !c.items.empty()) window.DesignItems(c.name, c.items);
    if (c.hidden) window.SetVisible(c.name, false);
    if (c.disabled) window.SetEnabled(c.name, false);
    if (c.readOnly && KindHas(c.kind, Capability::EditText)) window.SetReadOnly(c.name, true);
    if (c.bold) window.SetBold(c.name, true);
    window.SetBounds(c.name, {c.x, c.y, c.width, c.height});
  }
  // A page control lists its pages' captions, as the real one does, so that
  // it can be switched to each of them.
  for (const auto& c : layout.components) {
    if (c.kind != ComponentKind::PageControl) continue;
    std::vector<std::string> pages;
    for (const auto& sheet : layout.components)
      if (sheet.kind == ComponentKind::TabSheet && sheet.parent == c.name) pages.push_back(sheet.caption);
    window.DesignItems(c.name, pages);
    if (!pages.empty()) window.SetItemIndex(c.name, 0);
  }
  window.SetBounds("", {0, 0, layout.clientWidth, layout.clientHeight});
  window.ClearEvents();
}

}  // namespace velomar
