// The window-state seam of Form: each call finds its component and hands it
// to the component's control on the window's thread. A name the window does
// not hold is an UnknownComponent; a capability the component's family
// lacks is NotSupported (window/Capabilities.h), as in the in-memory window.
#include "platform/win32/Win32Text.h"
#include "win32ui/Application.h"
#include "win32ui/Form.h"
#include "window/Capabilities.h"

namespace velomar::ui {

template <class Capability>
Capability& Form::Need(std::string_view name, std::string_view operation) const {
  Control& control = At(name, operation);
  if (auto* capable = control.As<Capability>()) return *capable;
  throw NotSupported(name, control.Kind(), operation);
}

std::string Form::Text(std::string_view name) const {
  return OnWindowThread([&] { return At(name, "Text").Text(); });
}

void Form::SetText(std::string_view name, std::string_view text) {
  OnWindowThread([&] { At(name, "SetText").SetText(text); });
}

bool Form::Enabled(std::string_view name) const {
  return OnWindowThread([&] { return At(name, "Enabled").Enabled(); });
}

void Form::SetEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] { At(name, "SetEnabled").SetEnabled(enabled); });
}

bool Form::Visible(std::string_view name) const {
  return OnWindowThread([&] { return At(name, "Visible").Visible(); });
}

void Form::SetVisible(std::string_view name, bool visible) {
  OnWindowThread([&] { At(name, "SetVisible").SetVisible(visible); });
}

bool Form::ReadOnly(std::string_view name) const {
  return OnWindowThread([&] { return Need<EditableText>(name, "ReadOnly").ReadOnly(); });
}

void Form::SetReadOnly(std::string_view name, bool readOnly) {
  OnWindowThread([&] { Need<EditableText>(name, "SetReadOnly").SetReadOnly(readOnly); });
}

bool Form::Bold(std::string_view name) const {
  return OnWindowThread([&] { return At(name, "Bold").Bold(); });
}

void Form::SetBold(std::string_view name, bool bold) {
  OnWindowThread([&] { At(name, "SetBold").SetBold(bold); });
}

bool Form::Checked(std::string_view name) const {
  return OnWindowThread([&] { return Need<Checkable>(name, "Checked").Checked(); });
}

void Form::SetChecked(std::string_view name, bool checked) {
  OnWindowThread([&] { Need<Checkable>(name, "SetChecked").SetChecked(checked); });
}

std::vector<std::string> Form::Items(std::string_view name) const {
  return OnWindowThread([&] { return Need<ItemChoice>(name, "Items").Items(); });
}

void Form::SetItems(std::string_view name, const std::vector<std::string>& items) {
  OnWindowThread([&] { Need<ItemEditing>(name, "SetItems").SetItems(items); });
}

void Form::AddItem(std::string_view name, std::string_view item) {
  OnWindowThread([&] { Need<ItemEditing>(name, "AddItem").AddItem(std::string(item)); });
}

int Form::ItemIndex(std::string_view name) const {
  return OnWindowThread([&] { return Need<ItemChoice>(name, "ItemIndex").ItemIndex(); });
}

void Form::SetItemIndex(std::string_view name, int index) {
  OnWindowThread([&] { Need<ItemChoice>(name, "SetItemIndex").SetItemIndex(index); });
}

int Form::Position(std::string_view name) const {
  return OnWindowThread([&] { return Need<RangeValue>(name, "Position").Position(); });
}

void Form::SetPosition(std::string_view name, int position) {
  OnWindowThread([&] { Need<RangeValue>(name, "SetPosition").SetPosition(position); });
}

void Form::AppendRow(std::string_view name, const LogRow& row) {
  OnWindowThread([&] { Need<RowList>(name, "AppendRow").AppendRow(row); });
}

int Form::RowCount(std::string_view name) const {
  return OnWindowThread([&] { return Need<RowList>(name, "RowCount").RowCount(); });
}

std::vector<LogRow> Form::Rows(std::string_view name) const {
  return OnWindowThread([&] { return Need<RowList>(name, "Rows").Rows(); });
}

void Form::ClearRows(std::string_view name) {
  OnWindowThread([&] { Need<RowList>(name, "ClearRows").ClearRows(); });
}

void Form::ScrollBy(std::string_view name, int pixels) {
  OnWindowThread([&] { Need<RowList>(name, "ScrollBy").ScrollBy(pixels); });
}

std::vector<ComponentInfo> Form::Components() const {
  std::vector<ComponentInfo> list;
  for (const auto& control : controls_) list.push_back({control->Name(), control->Kind(), control->Spec().tag});
  return list;
}

std::string Form::Caption() const {
  return OnWindowThread([&] { return hwnd_ ? WindowText(hwnd_) : layout_.caption; });
}

void Form::SetCaption(std::string_view caption) {
  OnWindowThread([&] {
    layout_.caption = caption;
    if (hwnd_) SetWindowTextW(hwnd_, platform::Utf8ToWide(layout_.caption).c_str());
  });
}

std::string Form::Hint(std::string_view name) const {
  return OnWindowThread([&] { return At(name, "Hint").Hint(); });
}

void Form::SetHint(std::string_view name, std::string_view hint) {
  OnWindowThread([&] { At(name, "SetHint").SetHint(hint); });
}

std::vector<std::string> Form::Columns(std::string_view name) const {
  return OnWindowThread([&] { return Need<RowList>(name, "Columns").Columns(); });
}

void Form::SetColumnText(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] { Need<RowList>(name, "SetColumnText").SetColumnText(index, std::string(text)); });
}

void Form::SetRowCaption(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] { Need<RowList>(name, "SetRowCaption").SetRowCaption(index, std::string(text)); });
}

void Form::Focus(std::string_view name) {
  OnWindowThread([&] {
    if (name.empty())
      SetFocus(Handle());
    else
      At(name, "Focus").Focus();
  });
}

Bounds Form::BoundsOf(std::string_view name) const {
  return OnWindowThread([&]() -> Bounds {
    if (!name.empty()) return At(name, "BoundsOf").BoundsInParent();
    RECT r{};
    if (hwnd_) GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  });
}

void Form::SetBounds(std::string_view name, const Bounds& b) {
  OnWindowThread([&] {
    if (!name.empty()) return At(name, "SetBounds").SetBounds(b);
    if (hwnd_) SetWindowPos(hwnd_, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void Form::SetAnimation(std::string_view name, bool playing, int speedPercent) {
  OnWindowThread([&] { Need<PictureFrame>(name, "SetAnimation").SetAnimation(playing, speedPercent); });
}

int Form::AnimationInterval(std::string_view name) const {
  return OnWindowThread([&] { return Need<PictureFrame>(name, "AnimationInterval").AnimationInterval(); });
}

void Form::SetDrawing(std::string_view name, const Drawing& drawing) {
  OnWindowThread([&] { Need<PictureFrame>(name, "SetDrawing").SetDrawing(drawing); });
}

void Form::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  OnWindowThread([&] {
    const UINT style = icon == MessageIcon::Information ? MB_ICONINFORMATION
                       : icon == MessageIcon::Warning   ? MB_ICONWARNING
                       : icon == MessageIcon::Error     ? MB_ICONERROR
                                                        : 0;
    ShowMessageBox(hwnd_, std::string(text), title.empty() ? look_.title : std::string(title), MB_OK | style);
  });
}

std::optional<std::string> Form::AskSaveFileName(const SaveFileQuestion& question) {
  return OnWindowThread([&] { return ui::AskSaveFileName(hwnd_, question); });
}

void Form::OpenHelpPage() {
  OnWindowThread([&] { ui::OpenHelpPage(hwnd_); });
}

void Form::SetPicture(std::string_view name, const std::string& picture) {
  OnWindowThread([&] { Need<PictureFrame>(name, "SetPicture").SetPicture(picture); });
}

void Form::SetTimerEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] {
    Need<Ticking>(name, "SetTimerEnabled");
    At(name, "SetTimerEnabled").SetEnabled(enabled);
  });
}

}  // namespace velomar::ui
