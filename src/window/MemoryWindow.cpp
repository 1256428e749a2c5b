#include "window/MemoryWindow.h"

#include <algorithm>

namespace velomar {

MemoryWindow::Control& MemoryWindow::At(std::string_view name) {
  auto it = controls_.find(name);
  if (it == controls_.end()) it = controls_.emplace(std::string(name), Control{}).first;
  return it->second;
}

const MemoryWindow::Control* MemoryWindow::Find(std::string_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : &it->second;
}

void MemoryWindow::Record(WindowEvent::Kind kind, std::string_view control, std::string value) {
  events_.push_back({kind, std::string(control), std::move(value)});
}

std::string MemoryWindow::Text(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->text : std::string();
}

void MemoryWindow::SetText(std::string_view name, std::string_view text) {
  At(name).text = text;
  Record(WindowEvent::Kind::Text, name, std::string(text));
}

bool MemoryWindow::Enabled(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->enabled : true;
}

void MemoryWindow::SetEnabled(std::string_view name, bool enabled) {
  At(name).enabled = enabled;
  Record(WindowEvent::Kind::Enabled, name, enabled ? "1" : "0");
}

bool MemoryWindow::Visible(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->visible : true;
}

void MemoryWindow::SetVisible(std::string_view name, bool visible) {
  At(name).visible = visible;
  Record(WindowEvent::Kind::Visible, name, visible ? "1" : "0");
}

bool MemoryWindow::ReadOnly(std::string_view name) const {
  const auto* c = Find(name);
  return c && c->readOnly;
}

void MemoryWindow::SetReadOnly(std::string_view name, bool readOnly) {
  At(name).readOnly = readOnly;
  Record(WindowEvent::Kind::ReadOnly, name, readOnly ? "1" : "0");
}

bool MemoryWindow::Bold(std::string_view name) const {
  const auto* c = Find(name);
  return c && c->bold;
}

void MemoryWindow::SetBold(std::string_view name, bool bold) {
  At(name).bold = bold;
  Record(WindowEvent::Kind::Bold, name, bold ? "1" : "0");
}

bool MemoryWindow::Checked(std::string_view name) const {
  const auto* c = Find(name);
  return c && c->checked;
}

void MemoryWindow::SetChecked(std::string_view name, bool checked) {
  Control& c = At(name);
  const bool changed = c.checked != checked;
  c.checked = checked;
  Record(WindowEvent::Kind::Checked, name, checked ? "1" : "0");
  if (changed) Fire(name, Event::Click);
}

std::vector<std::string> MemoryWindow::Items(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->items : std::vector<std::string>{};
}

void MemoryWindow::SetItems(std::string_view name, const std::vector<std::string>& items) {
  Control& c = At(name);
  c.items = items;
  c.itemIndex = -1;
  Record(WindowEvent::Kind::Items, name, std::to_string(items.size()));
}

void MemoryWindow::AddItem(std::string_view name, std::string_view item) {
  Control& c = At(name);
  c.items.emplace_back(item);
  Record(WindowEvent::Kind::Items, name, std::to_string(c.items.size()));
}

int MemoryWindow::ItemIndex(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->itemIndex : -1;
}

void MemoryWindow::SetItemIndex(std::string_view name, int index) {
  Control& c = At(name);
  // A drop-down list selects nothing for an index it does not hold.
  c.itemIndex = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
  Record(WindowEvent::Kind::ItemIndex, name, std::to_string(c.itemIndex));
}

int MemoryWindow::Position(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->position : 0;
}

void MemoryWindow::SetPosition(std::string_view name, int position) {
  Control& c = At(name);
  if (c.hasRange) position = std::clamp(position, c.minimum, c.maximum);
  const bool changed = c.position != position;
  c.position = position;
  Record(WindowEvent::Kind::Position, name, std::to_string(position));
  if (changed) Fire(name, Event::Change);
}

void MemoryWindow::AppendRow(std::string_view name, const LogRow& row) {
  At(name).rows.push_back(row);
  Record(WindowEvent::Kind::Row, name, row.name + "\t" + row.oldValue + "\t" + row.newValue);
}

int MemoryWindow::RowCount(std::string_view name) const {
  const auto* c = Find(name);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::vector<LogRow> MemoryWindow::Rows(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->rows : std::vector<LogRow>{};
}

void MemoryWindow::ClearRows(std::string_view name) {
  At(name).rows.clear();
  Record(WindowEvent::Kind::ClearRows, name, "");
}

void MemoryWindow::ScrollBy(std::string_view name, int pixels) {
  At(name);  // the list exists from its first use, like any control
  Record(WindowEvent::Kind::Scroll, name, std::to_string(pixels));
}

void MemoryWindow::PauseForDisplay() {
  ++pauses_;
  Record(WindowEvent::Kind::Pause, "", "");
  if (pause_) pause_();
}

void MemoryWindow::SetRange(std::string_view name, int minimum, int maximum) {
  Control& c = At(name);
  c.hasRange = true;
  c.minimum = minimum;
  c.maximum = maximum;
  c.position = std::clamp(c.position, minimum, maximum);
}

void MemoryWindow::Design(std::string_view name, std::string_view text) { At(name).text = text; }
void MemoryWindow::DesignChecked(std::string_view name, bool checked) { At(name).checked = checked; }

void MemoryWindow::On(std::string_view name, Event event, Handler handler) {
  At(name).handlers[event] = std::move(handler);
}

void MemoryWindow::Fire(std::string_view name, Event event) {
  const Control* c = Find(name);
  if (!c) return;
  const auto it = c->handlers.find(event);
  if (it == c->handlers.end() || !it->second) return;
  Handler handler = it->second;  // the handler may touch other controls, or replace itself
  handler();
}
void MemoryWindow::OnPause(Handler handler) { pause_ = std::move(handler); }

bool MemoryWindow::Exists(std::string_view name) const { return Find(name) != nullptr; }

std::vector<ComponentInfo> MemoryWindow::Components() const { return components_; }

std::string MemoryWindow::Hint(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->hint : std::string();
}

void MemoryWindow::SetHint(std::string_view name, std::string_view hint) { At(name).hint = hint; }

std::vector<std::string> MemoryWindow::Columns(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->columns : std::vector<std::string>{};
}

void MemoryWindow::SetColumnText(std::string_view name, int index, std::string_view text) {
  Control& c = At(name);
  if (index >= 0 && index < static_cast<int>(c.columns.size())) c.columns[index] = text;
}

void MemoryWindow::SetRowCaption(std::string_view name, int index, std::string_view text) {
  Control& c = At(name);
  if (index >= 0 && index < static_cast<int>(c.rows.size())) c.rows[index].name = text;
}

void MemoryWindow::DeclareComponent(std::string_view name, ComponentKind kind, int tag) {
  At(name);
  for (auto& component : components_) {
    if (component.name == name) {
      component.kind = kind;
      component.tag = tag;
      return;
    }
  }
  components_.push_back({std::string(name), kind, tag});
}

void MemoryWindow::DesignColumns(std::string_view name, const std::vector<std::string>& columns) {
  At(name).columns = columns;
}

void MemoryWindow::Focus(std::string_view name) {
  At(name);
  focused_ = name;
  Record(WindowEvent::Kind::Focus, name, "");
}

Bounds MemoryWindow::BoundsOf(std::string_view name) const {
  if (name.empty()) return frame_;
  const auto* c = Find(name);
  return c ? c->bounds : Bounds{};
}

void MemoryWindow::SetBounds(std::string_view name, const Bounds& bounds) {
  (name.empty() ? frame_ : At(name).bounds) = bounds;
  Record(WindowEvent::Kind::Bounds, name,
         std::to_string(bounds.x) + "," + std::to_string(bounds.y) + "," + std::to_string(bounds.width) + "," +
             std::to_string(bounds.height));
}

void MemoryWindow::SetAnimation(std::string_view name, bool playing, int speedPercent) {
  Control& c = At(name);
  c.animating = playing;
  c.animationSpeed = speedPercent;
  Record(WindowEvent::Kind::Animation, name, playing ? "1 " + std::to_string(speedPercent) : "0");
}

bool MemoryWindow::Animating(std::string_view name) const {
  const auto* c = Find(name);
  return c && c->animating;
}

int MemoryWindow::AnimationSpeed(std::string_view name) const {
  const auto* c = Find(name);
  return c ? c->animationSpeed : 100;
}

void MemoryWindow::SetDrawing(std::string_view name, const Drawing& drawing) {
  Control& c = At(name);
  c.hasDrawing = true;
  c.drawing = drawing;
  Record(WindowEvent::Kind::Drawing, name, std::to_string(drawing.operations.size()));
}

const Drawing* MemoryWindow::DrawingOf(std::string_view name) const {
  const auto* c = Find(name);
  return c && c->hasDrawing ? &c->drawing : nullptr;
}

void MemoryWindow::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  Record(WindowEvent::Kind::Message, "",
         std::to_string(static_cast<int>(icon)) + "\t" + std::string(title) + "\t" + std::string(text));
  if (message_) message_();
}

void MemoryWindow::OpenHelpPage() { Record(WindowEvent::Kind::Help, "", ""); }

void MemoryWindow::CloseWindow() {
  closed_ = true;
  Record(WindowEvent::Kind::Close, "", "");
}

}  // namespace velomar
