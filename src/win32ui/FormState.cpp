// The window-state seam of Form: each call finds its component and hands it
// to the component's control on the window's thread.
#include <stdexcept>

#include "win32ui/Application.h"
#include "win32ui/Form.h"
#include "win32ui/Windowless.h"

namespace velomar::ui {

std::string Form::Text(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Text(); });
}

void Form::SetText(std::string_view name, std::string_view text) {
  OnWindowThread([&] { At(name).SetText(text); });
}

bool Form::Enabled(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Enabled(); });
}

void Form::SetEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] { At(name).SetEnabled(enabled); });
}

bool Form::Visible(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Visible(); });
}

void Form::SetVisible(std::string_view name, bool visible) {
  OnWindowThread([&] { At(name).SetVisible(visible); });
}

bool Form::ReadOnly(std::string_view name) const {
  return OnWindowThread([&] { return At(name).ReadOnly(); });
}

void Form::SetReadOnly(std::string_view name, bool readOnly) {
  OnWindowThread([&] { At(name).SetReadOnly(readOnly); });
}

bool Form::Bold(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Bold(); });
}

void Form::SetBold(std::string_view name, bool bold) {
  OnWindowThread([&] { At(name).SetBold(bold); });
}

bool Form::Checked(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Checked(); });
}

void Form::SetChecked(std::string_view name, bool checked) {
  OnWindowThread([&] { At(name).SetChecked(checked); });
}

std::vector<std::string> Form::Items(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Items(); });
}

void Form::SetItems(std::string_view name, const std::vector<std::string>& items) {
  OnWindowThread([&] { At(name).SetItems(items); });
}

void Form::AddItem(std::string_view name, std::string_view item) {
  OnWindowThread([&] { At(name).AddItem(std::string(item)); });
}

int Form::ItemIndex(std::string_view name) const {
  return OnWindowThread([&] { return At(name).ItemIndex(); });
}

void Form::SetItemIndex(std::string_view name, int index) {
  OnWindowThread([&] { At(name).SetItemIndex(index); });
}

int Form::Position(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Position(); });
}

void Form::SetPosition(std::string_view name, int position) {
  OnWindowThread([&] { At(name).SetPosition(position); });
}

void Form::AppendRow(std::string_view name, const LogRow& row) {
  OnWindowThread([&] { At(name).AppendRow(row); });
}

int Form::RowCount(std::string_view name) const {
  return OnWindowThread([&] { return At(name).RowCount(); });
}

std::vector<LogRow> Form::Rows(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Rows(); });
}

void Form::ClearRows(std::string_view name) {
  OnWindowThread([&] { At(name).ClearRows(); });
}

void Form::ScrollBy(std::string_view name, int pixels) {
  OnWindowThread([&] { At(name).ScrollBy(pixels); });
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
    if (hwnd_) SetWindowTextA(hwnd_, layout_.caption.c_str());
  });
}

std::string Form::Hint(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Hint(); });
}

void Form::SetHint(std::string_view name, std::string_view hint) {
  OnWindowThread([&] { At(name).SetHint(hint); });
}

std::vector<std::string> Form::Columns(std::string_view name) const {
  return OnWindowThread([&] { return At(name).Columns(); });
}

void Form::SetColumnText(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] { At(name).SetColumnText(index, std::string(text)); });
}

void Form::SetRowCaption(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] { At(name).SetRowCaption(index, std::string(text)); });
}

void Form::Focus(std::string_view name) {
  OnWindowThread([&] { At(name).Focus(); });
}

Bounds Form::BoundsOf(std::string_view name) const {
  return OnWindowThread([&]() -> Bounds {
    if (!name.empty()) return At(name).BoundsInParent();
    RECT r{};
    if (hwnd_) GetWindowRect(hwnd_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  });
}

void Form::SetBounds(std::string_view name, const Bounds& b) {
  OnWindowThread([&] {
    if (!name.empty()) return At(name).SetBounds(b);
    if (hwnd_) SetWindowPos(hwnd_, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void Form::SetAnimation(std::string_view name, bool playing, int speedPercent) {
  OnWindowThread([&] { At(name).SetAnimation(playing, speedPercent); });
}

int Form::AnimationInterval(std::string_view name) const {
  return OnWindowThread([&] { return At(name).AnimationInterval(); });
}

void Form::SetDrawing(std::string_view name, const Drawing& drawing) {
  OnWindowThread([&] { At(name).SetDrawing(drawing); });
}

void Form::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  OnWindowThread([&] {
    const UINT style = icon == MessageIcon::Information ? MB_ICONINFORMATION
                       : icon == MessageIcon::Warning   ? MB_ICONWARNING
                       : icon == MessageIcon::Error     ? MB_ICONERROR
                                                        : 0;
    ShowMessageBox(hwnd_, std::string(text), title.empty() ? ApplicationTitle() : std::string(title), MB_OK | style);
  });
}

void Form::OpenHelpPage() {
  OnWindowThread([&] { ui::OpenHelpPage(hwnd_); });
}

void Form::SetColor(std::string_view name, Color color) {
  OnWindowThread([&] {
    if (!name.empty()) return At(name).SetColor(color);
    formColor_ = color;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  });
}

void Form::SetFontColor(std::string_view name, Color color) {
  OnWindowThread([&] { At(name).SetFontColor(color); });
}

void Form::SetPicture(std::string_view name, const std::string& picture) {
  OnWindowThread([&] { At(name).SetPicture(picture); });
}

namespace {
TimerControl& AsTimer(ui::Control& control) {
  auto* timer = dynamic_cast<TimerControl*>(&control);
  if (!timer) throw std::invalid_argument("the component " + control.Name() + " is not a timer");
  return *timer;
}
}  // namespace

void Form::SetTimerEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] { AsTimer(At(name)).SetEnabled(enabled); });
}

void Form::SetTimerInterval(std::string_view name, int milliseconds) {
  OnWindowThread([&] { AsTimer(At(name)).SetInterval(milliseconds); });
}

}  // namespace velomar::ui
