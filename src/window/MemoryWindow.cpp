#include "window/MemoryWindow.h"

#include <algorithm>

namespace velomar {

namespace {
const char* Flag(bool on) { return on ? "1" : "0"; }
}  // namespace

MemoryWindow::Control& MemoryWindow::At(std::string_view name, std::string_view operation) {
  auto it = controls_.find(name);
  if (it != controls_.end()) return it->second;
  if (KnowsComponents()) throw UnknownComponent(name, operation);
  return controls_.emplace(std::string(name), Control{}).first->second;
}

const MemoryWindow::Control* MemoryWindow::Find(std::string_view name, std::string_view operation) const {
  auto it = controls_.find(name);
  if (it != controls_.end()) return &it->second;
  if (KnowsComponents()) throw UnknownComponent(name, operation);
  return nullptr;
}

MemoryWindow::Control& MemoryWindow::At(std::string_view name, Capability capability, std::string_view operation) {
  Control& control = At(name, operation);
  if (control.declared && !KindHas(control.kind, capability)) throw NotSupported(name, control.kind, operation);
  return control;
}

const MemoryWindow::Control* MemoryWindow::Find(std::string_view name, Capability capability,
                                                std::string_view operation) const {
  const Control* control = Find(name, operation);
  if (control && control->declared && !KindHas(control->kind, capability))
    throw NotSupported(name, control->kind, operation);
  return control;
}

void MemoryWindow::Record(WindowEvent::Kind kind, std::string_view control, std::string value) {
  events_.push_back({kind, std::string(control), std::move(value)});
}

std::string MemoryWindow::Text(std::string_view name) const {
  const auto* c = Find(name, "Text");
  return c ? c->text : std::string();
}

void MemoryWindow::SetText(std::string_view name, std::string_view text) {
  Control& c = At(name, "SetText");
  c.text = text;
  Record(WindowEvent::Kind::Text, name, std::string(text));
  // An edit box reports every text set as a change; a memo does not.
  if (Is(c, ComponentKind::Edit)) Fire(name, Event::Change);
}

bool MemoryWindow::Enabled(std::string_view name) const {
  const auto* c = Find(name, "Enabled");
  return c ? c->enabled : true;
}

void MemoryWindow::SetEnabled(std::string_view name, bool enabled) {
  At(name, "SetEnabled").enabled = enabled;
  Record(WindowEvent::Kind::Enabled, name, Flag(enabled));
}

bool MemoryWindow::Visible(std::string_view name) const {
  const auto* c = Find(name, "Visible");
  return c ? c->visible : true;
}

void MemoryWindow::SetVisible(std::string_view name, bool visible) {
  At(name, "SetVisible").visible = visible;
  Record(WindowEvent::Kind::Visible, name, Flag(visible));
}

bool MemoryWindow::ReadOnly(std::string_view name) const {
  const auto* c = Find(name, Capability::EditText, "ReadOnly");
  return c && c->readOnly;
}

void MemoryWindow::SetReadOnly(std::string_view name, bool readOnly) {
  At(name, Capability::EditText, "SetReadOnly").readOnly = readOnly;
  Record(WindowEvent::Kind::ReadOnly, name, Flag(readOnly));
}

bool MemoryWindow::Bold(std::string_view name) const {
  const auto* c = Find(name, "Bold");
  return c && c->bold;
}

void MemoryWindow::SetBold(std::string_view name, bool bold) {
  At(name, "SetBold").bold = bold;
  Record(WindowEvent::Kind::Bold, name, Flag(bold));
}

bool MemoryWindow::Checked(std::string_view name) const {
  const auto* c = Find(name, Capability::Check, "Checked");
  return c && c->checked;
}

void MemoryWindow::SetChecked(std::string_view name, bool checked) {
  Control& c = At(name, Capability::Check, "SetChecked");
  const bool changed = c.checked != checked;
  const bool radio = Is(c, ComponentKind::RadioButton);
  if (radio && checked) {
    // One checked radio button per parent.
    for (auto& [otherName, other] : controls_)
      if (&other != &c && Is(other, ComponentKind::RadioButton) && other.parent == c.parent) other.checked = false;
  }
  c.checked = checked;
  Record(WindowEvent::Kind::Checked, name, Flag(checked));
  // A radio button clicks only when it becomes the checked one.
  if (changed && (!radio || checked)) Fire(name, Event::Click);
}

std::vector<std::string> MemoryWindow::Items(std::string_view name) const {
  const auto* c = Find(name, Capability::Choice, "Items");
  return c ? c->items : std::vector<std::string>{};
}

void MemoryWindow::SetItems(std::string_view name, const std::vector<std::string>& items) {
  Control& c = At(name, Capability::ItemList, "SetItems");
  c.items = items;
  c.itemIndex = -1;
  Record(WindowEvent::Kind::Items, name, std::to_string(items.size()));
}

void MemoryWindow::AddItem(std::string_view name, std::string_view item) {
  Control& c = At(name, Capability::ItemList, "AddItem");
  c.items.emplace_back(item);
  Record(WindowEvent::Kind::Items, name, std::to_string(c.items.size()));
}

int MemoryWindow::ItemIndex(std::string_view name) const {
  const auto* c = Find(name, Capability::Choice, "ItemIndex");
  return c ? c->itemIndex : -1;
}

void MemoryWindow::SetItemIndex(std::string_view name, int index) {
  Control& c = At(name, Capability::Choice, "SetItemIndex");
  const bool held = index >= 0 && index < static_cast<int>(c.items.size());
  // A list selects nothing for an index it does not hold; a page control
  // stays on its page.
  if (held || !Is(c, ComponentKind::PageControl)) c.itemIndex = held ? index : -1;
  Record(WindowEvent::Kind::ItemIndex, name, std::to_string(c.itemIndex));
}

int MemoryWindow::Position(std::string_view name) const {
  const auto* c = Find(name, Capability::Range, "Position");
  return c ? c->position : 0;
}

void MemoryWindow::SetPosition(std::string_view name, int position) {
  Control& c = At(name, Capability::Range, "SetPosition");
  if (c.hasRange) position = std::clamp(position, c.minimum, c.maximum);
  const bool changed = c.position != position;
  c.position = position;
  Record(WindowEvent::Kind::Position, name, std::to_string(position));
  // A progress bar has no change to report.
  if (changed && !Is(c, ComponentKind::ProgressBar)) Fire(name, Event::Change);
}

void MemoryWindow::AppendRow(std::string_view name, const LogRow& row) {
  At(name, Capability::Rows, "AppendRow").rows.push_back(row);
  Record(WindowEvent::Kind::Row, name, row.name + "\t" + row.oldValue + "\t" + row.newValue);
}

int MemoryWindow::RowCount(std::string_view name) const {
  const auto* c = Find(name, Capability::Rows, "RowCount");
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::vector<LogRow> MemoryWindow::Rows(std::string_view name) const {
  const auto* c = Find(name, Capability::Rows, "Rows");
  return c ? c->rows : std::vector<LogRow>{};
}

void MemoryWindow::ClearRows(std::string_view name) {
  At(name, Capability::Rows, "ClearRows").rows.clear();
  Record(WindowEvent::Kind::ClearRows, name, "");
}

void MemoryWindow::ScrollBy(std::string_view name, int pixels) {
  At(name, Capability::Rows, "ScrollBy");
  Record(WindowEvent::Kind::Scroll, name, std::to_string(pixels));
}

void MemoryWindow::PauseForDisplay() {
  ++pauses_;
  Record(WindowEvent::Kind::Pause, "", "");
  if (pause_) pause_();
}

void MemoryWindow::SetRange(std::string_view name, int minimum, int maximum) {
  Control& c = At(name, Capability::Range, "SetRange");
  c.hasRange = true;
  c.minimum = minimum;
  c.maximum = maximum;
  c.position = std::clamp(c.position, minimum, maximum);
}

void MemoryWindow::DesignPosition(std::string_view name, int position) {
  Control& c = At(name, Capability::Range, "DesignPosition");
  c.position = c.hasRange ? std::clamp(position, c.minimum, c.maximum) : position;
}

void MemoryWindow::Design(std::string_view name, std::string_view text) { At(name, "Design").text = text; }

void MemoryWindow::DesignChecked(std::string_view name, bool checked) {
  At(name, Capability::Check, "DesignChecked").checked = checked;
}

void MemoryWindow::DesignItems(std::string_view name, const std::vector<std::string>& items) {
  Control& c = At(name, Capability::Choice, "DesignItems");
  c.items = items;
  c.itemIndex = -1;
}

void MemoryWindow::DesignColumns(std::string_view name, const std::vector<std::string>& columns) {
  At(name, Capability::Rows, "DesignColumns").columns = columns;
}

void MemoryWindow::On(std::string_view name, Event event, Handler handler) {
  if (name.empty() && (event == Event::Create || event == Event::Show))
    windowHandlers_[event] = std::move(handler);
  else
    At(name, "On").handlers[event] = std::move(handler);
}

void MemoryWindow::Fire(std::string_view name, Event event) {
  const std::map<Event, Handler>* handlers = &windowHandlers_;
  if (!name.empty() || (event != Event::Create && event != Event::Show)) {
    const Control* c = Find(name, "Fire");
    if (!c) return;
    handlers = &c->handlers;
  }
  const auto it = handlers->find(event);
  if (it == handlers->end() || !it->second) return;
  Handler handler = it->second;  // the handler may touch other controls, or replace itself
  handler();
}

void MemoryWindow::OnPause(Handler handler) { pause_ = std::move(handler); }

std::vector<ComponentInfo> MemoryWindow::Components() const { return components_; }

std::string MemoryWindow::Hint(std::string_view name) const {
  const auto* c = Find(name, "Hint");
  return c ? c->hint : std::string();
}

void MemoryWindow::SetHint(std::string_view name, std::string_view hint) { At(name, "SetHint").hint = hint; }

std::vector<std::string> MemoryWindow::Columns(std::string_view name) const {
  const auto* c = Find(name, Capability::Rows, "Columns");
  return c ? c->columns : std::vector<std::string>{};
}

void MemoryWindow::SetColumnText(std::string_view name, int index, std::string_view text) {
  Control& c = At(name, Capability::Rows, "SetColumnText");
  if (index >= 0 && index < static_cast<int>(c.columns.size())) c.columns[index] = text;
}

void MemoryWindow::SetRowCaption(std::string_view name, int index, std::string_view text) {
  Control& c = At(name, Capability::Rows, "SetRowCaption");
  if (index >= 0 && index < static_cast<int>(c.rows.size())) c.rows[index].name = text;
}

void MemoryWindow::DeclareComponent(std::string_view name, ComponentKind kind, int tag, std::string_view parent) {
  Control& c = controls_[std::string(name)];
  c.kind = kind;
  c.declared = true;
  c.parent = parent;
  for (auto& component : components_) {
    if (component.name == name) {
      component.kind = kind;
      component.tag = tag;
      return;
    }
  }
  components_.push_back({std::string(name), kind, tag});
}

void MemoryWindow::Focus(std::string_view name) {
  if (!name.empty()) At(name, "Focus");
  Record(WindowEvent::Kind::Focus, name, "");
  if (focused_ == name) return;
  focused_ = name;
  if (!name.empty()) Fire(name, Event::Enter);
}

Bounds MemoryWindow::BoundsOf(std::string_view name) const {
  if (name.empty()) return frame_;
  const auto* c = Find(name, "BoundsOf");
  return c ? c->bounds : Bounds{};
}

void MemoryWindow::SetBounds(std::string_view name, const Bounds& bounds) {
  (name.empty() ? frame_ : At(name, "SetBounds").bounds) = bounds;
  Record(WindowEvent::Kind::Bounds, name,
         std::to_string(bounds.x) + "," + std::to_string(bounds.y) + "," + std::to_string(bounds.width) + "," +
             std::to_string(bounds.height));
}

void MemoryWindow::SetAnimation(std::string_view name, bool playing, int speedPercent) {
  Control& c = At(name, Capability::Picture, "SetAnimation");
  c.animating = playing;
  c.animationSpeed = speedPercent;
  Record(WindowEvent::Kind::Animation, name, playing ? "1 " + std::to_string(speedPercent) : "0");
}

bool MemoryWindow::Animating(std::string_view name) const {
  const auto* c = Find(name, Capability::Picture, "Animating");
  return c && c->animating;
}

int MemoryWindow::AnimationSpeed(std::string_view name) const {
  const auto* c = Find(name, Capability::Picture, "AnimationSpeed");
  return c ? c->animationSpeed : 100;
}

void MemoryWindow::SetDrawing(std::string_view name, const Drawing& drawing) {
  Control& c = At(name, Capability::Picture, "SetDrawing");
  c.hasDrawing = true;
  c.drawing = drawing;
  Record(WindowEvent::Kind::Drawing, name, std::to_string(drawing.operations.size()));
}

const Drawing* MemoryWindow::DrawingOf(std::string_view name) const {
  const auto* c = Find(name, Capability::Picture, "DrawingOf");
  return c && c->hasDrawing ? &c->drawing : nullptr;
}

void MemoryWindow::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  Record(WindowEvent::Kind::Message, "",
         std::to_string(static_cast<int>(icon)) + "\t" + std::string(title) + "\t" + std::string(text));
  if (message_) message_();
}

std::optional<std::string> MemoryWindow::AskSaveFileName(const SaveFileQuestion& question) {
  Record(WindowEvent::Kind::SaveDialog, "", question.title + '\t' + question.folder + '\t' + question.fileName);
  return saveAnswer_;
}

void MemoryWindow::OpenHelpPage() { Record(WindowEvent::Kind::Help, "", ""); }

void MemoryWindow::CloseWindow() {
  closed_ = true;
  Record(WindowEvent::Kind::Close, "", "");
}

}  // namespace velomar
