#include "app/CustomTcpPage.h"

#include <stdexcept>

#include "app/CustomLayout.h"
#include "app/WindowMessages.h"
#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastClassFile.h"
#include "tcp/TcpSettingsReader.h"
#include "tcp/TcpSteps.h"

namespace velomar {

const std::vector<CustomTcpInput>& CustomTcpInputs() {
  using namespace custom_tcp;
  using namespace custom_field;
  static const std::vector<CustomTcpInput> inputs = {
      {kTrackBar},
      {kNetAdapter},
      {kAdapterNone},
      {kAdapterAll},
      {kMtu},
      {kPppoe},
      {kRecvWindow, &RecvWindow},
      {kMtuDiscovery, &MtuDiscovery},
      {kBlackHoleDetect, &BlackHoleDetect},
      {kSelective, &Selective},
      {kMaxDuplicate, &MaxDuplicate},
      {kTimeToLive, &TimeToLive},
      {kWindowScaling, &WindowScaling},
      {kTimestamps, &Timestamps},
      {kMaxConnPerServer, &MaxConnPerServer},
      {kMaxConnPer10Server, &MaxConnPer10Server},
      {kLocalPriority, &LocalPriority},
      {kHostPriority, &HostPriority},
      {kDnsPriority, &DnsPriority},
      {kNetbtPriority, &NetbtPriority},
      {kMaxNegativeCacheTtl, &MaxNegativeCacheTtl},
      {kNetFailureCacheTime, &NetFailureCacheTime},
      {kNegativeSoaCacheTime, &NegativeSoaCacheTime},
      {kLanRequestBuffer, &LanRequestBuffer},
  };
  return inputs;
}

using namespace custom_tcp;

namespace {

std::int32_t Convert(const WindowState& window, const char* edit) {
  const std::string text = window.Text(edit);
  const auto value = ParseInt32(text);
  if (!value) throw FieldConversionError(NotAnIntegerMessage(text, edit), edit);
  if (!IsWritableNumber(*value))
    throw FieldConversionError("'" + text + "' stands for no value and cannot be written (" + edit + ")", edit);
  return *value;
}

TcpSwitch SwitchAt(const WindowState& window, const char* combo) {
  const int item = window.ItemIndex(combo);
  return item == 1 ? TcpSwitch::Yes : item == 2 ? TcpSwitch::No : TcpSwitch::Default;
}

void ShowNumber(WindowState& window, const char* edit, std::int32_t value) {
  window.SetText(edit, std::to_string(value));
}

const CustomTcpInput& InputOf(const CustomTcpField& field) {
  for (const auto& input : CustomTcpInputs())
    if (input.field == &field) return input;
  throw std::logic_error("no input of the TCP/IP page carries the field " + std::string(field.value.name));
}

// The field's value from its input.
void Take(const WindowState& window, const CustomTcpField& field, CustomTcpSettings& settings) {
  const char* component = InputOf(field).component;
  switch (field.kind) {
    case CustomTcpField::Kind::Number: settings.*field.number = Convert(window, component); break;
    case CustomTcpField::Kind::Switch: settings.*field.choice = SwitchAt(window, component); break;
    case CustomTcpField::Kind::Tcp1323Bit: settings.*field.flag = window.Checked(component); break;
  }
}

// Whether showing a field's box may uncheck it.
enum class Boxes { CheckOnly, CheckOrUncheck };

// The field's value in its input.
void Show(WindowState& window, const CustomTcpInput& input, const CustomTcpSettings& settings, Boxes boxes) {
  const CustomTcpField& field = *input.field;
  switch (field.kind) {
    case CustomTcpField::Kind::Number: ShowNumber(window, input.component, settings.*field.number); break;
    case CustomTcpField::Kind::Switch:
      window.SetItemIndex(input.component, static_cast<int>(settings.*field.choice));
      break;
    case CustomTcpField::Kind::Tcp1323Bit:
      if (settings.*field.flag || boxes == Boxes::CheckOrUncheck)
        window.SetChecked(input.component, settings.*field.flag);
      break;
  }
}

// The page's component as the window's layout makes it.
const Component* LaidOut(std::string_view name) {
  static const FormLayout layout = CustomLayout();
  return layout.Find(std::string(name));
}

bool IsInput(std::string_view component) {
  for (const auto& input : CustomTcpInputs())
    if (component == input.component) return true;
  return false;
}

}  // namespace

void CustomTcpPage::Wire() {
  window.On(kTrackBar, Event::Change, [this] { TrackBar_BandWidthChange(); });
  window.On(kPppoe, Event::Click, [this] { CheckBox_PPPoEClick(); });
  window.On(kAdapterNone, Event::Click, [this] { CheckBox_Adapter_NoneClick(); });
}

void CustomTcpPage::BuildNetworkCardList() {
  for (auto& card : ListNetworkCards(kMaxCards - cards.size())) {
    cards.push_back(std::move(card));
    window.AddItem(kNetAdapter, cards.back().description);
    window.SetItemIndex(kNetAdapter, static_cast<int>(cards.size()) - 1);
  }
}

void CustomTcpPage::FillSwitchCombos() {
  const MessageCatalogue& m = unit.messages;
  const std::vector<std::string> items = {m.Text(custom_text::kDefault), m.Text(custom_text::kYes),
                                          m.Text(custom_text::kNo)};
  for (const char* combo : {kMtuDiscovery, kBlackHoleDetect, kSelective}) {
    window.SetItems(combo, items);
    window.SetItemIndex(combo, 0);
  }
}

std::string CustomTcpPage::SelectedServiceName() const {
  const int index = window.ItemIndex(kNetAdapter);
  if (index < 0 || index >= static_cast<int>(cards.size())) return {};
  return cards[static_cast<std::size_t>(index)].serviceName;
}

CustomTcpSettings CustomTcpPage::Settings() const {
  CustomTcpSettings s;
  AdapterChoice choice{window.Checked(kAdapterNone), window.Checked(kAdapterAll), SelectedServiceName(), {}};
  for (const auto& card : cards) choice.cardServices.push_back(card.serviceName);
  s.adapters = CustomAdapters(choice);
  // Of several fields that hold no number the one named is the first the pass would reach.
  for (const CustomTcpField* field : CustomTcpFields()) Take(window, *field, s);
  s.mtu = s.adapters.empty() ? 0 : Convert(window, kMtu);
  s.bandwidthKbps = unit.bandwidthKbps;
  return s;
}
void CustomTcpPage::TrackBar_BandWidthChange() {
  const BandwidthClass* c = BandwidthClassAt(window.Position(kTrackBar));
  if (!c) return;
  window.SetText(kSpeedGroup, "  " + unit.messages.Text(custom_text::kYourChoice) + c->customLabel);
  unit.bandwidthKbps = c->bandwidthKbps;
  // No window can be proposed for an MTU field that holds no usable number;
  // the field then keeps what it had, and the pass refuses the MTU itself.
  if (const auto mtu = ParseInt32(window.Text(kMtu)))
    if (const auto tcpWindow = ComputeTcpWindow(unit.bandwidthKbps, *mtu))
      window.SetText(kRecvWindow, std::to_string(*tcpWindow));
}

void CustomTcpPage::CheckBox_PPPoEClick() {
  if (window.Checked(kPppoe)) {
    savedMtuText = window.Text(kMtu);
    window.SetText(kMtu, "1492");
    window.SetReadOnly(kMtu, true);
  } else {
    window.SetText(kMtu, savedMtuText);
    window.SetReadOnly(kMtu, false);
  }
  TrackBar_BandWidthChange();
}

void CustomTcpPage::CheckBox_Adapter_NoneClick() { window.SetEnabled(kAdapterAll, !window.Checked(kAdapterNone)); }

void CustomTcpPage::Button_TCP_RecommendClick() {
  // The class proposes the receive window for the MTU the field holds now.
  TrackBar_BandWidthChange();
  CustomTcpSettings recommended;
  for (const auto& input : CustomTcpInputs()) {
    if (!input.field || input.field->proposedByClass) continue;
    Recommend(*input.field, recommended);
    Show(window, input, recommended, Boxes::CheckOrUncheck);
  }
  ShowNumber(window, kMtu, window.Checked(kPppoe) ? kPppoeMtu : kEthernetMtu);
}

std::string CustomTcpPage::ShownValue(std::string_view component) const {
  const Component* laidOut = IsInput(component) ? LaidOut(component) : nullptr;
  if (!laidOut) return {};
  switch (laidOut->kind) {
    case ComponentKind::ComboBox: return std::to_string(window.ItemIndex(component));
    case ComponentKind::CheckBox: return window.Checked(component) ? "1" : "0";
    case ComponentKind::TrackBar: return std::to_string(window.Position(component));
    default: return window.Text(component);
  }
}

std::optional<std::string> CustomTcpPage::SetFromText(std::string_view component, const std::string& text) {
  const std::string name(component);
  const Component* laidOut = IsInput(component) ? LaidOut(component) : nullptr;
  if (!laidOut) return "no control '" + name + "' on the TCP/IP page";
  switch (laidOut->kind) {
    case ComponentKind::CheckBox:
      if (text != "0" && text != "1") return name + " takes 1 or 0";
      window.SetChecked(component, text == "1");
      return std::nullopt;
    case ComponentKind::ComboBox: {
      const auto index = ParseInt32(text);
      if (!index) return name + " must be a whole number, not '" + text + "'";
      if (*index < 0 || *index >= static_cast<int>(window.Items(component).size()))
        return name + " has no item " + text;
      window.SetItemIndex(component, *index);
      return std::nullopt;
    }
    case ComponentKind::TrackBar: {
      const auto position = ParseBandwidthClass(text);
      if (!position) return name + " takes a class 0 to 10";
      window.SetPosition(component, *position);
      return std::nullopt;
    }
    default: window.SetText(component, text); return std::nullopt;
  }
}
void ReadCurrentTcpSettings(CustomTcpPage& page) {
  WindowState& w = page.window;
  const auto stored = LoadStoredCustomClass();
  if (!stored.fileExists) {
    // 1 then 0, so that the change handler runs even when the bar stood at 0.
    w.SetPosition(kTrackBar, 1);
    w.SetPosition(kTrackBar, 0);
  } else if (stored.position) {
    w.SetPosition(kTrackBar, *stored.position);
  }

  const CurrentTcpSettings current = ReadTcpSettings(page.SelectedServiceName());
  for (const auto& input : CustomTcpInputs())
    if (input.field) Show(w, input, current.values, Boxes::CheckOnly);
  if (current.mtu) ShowNumber(w, kMtu, *current.mtu);
  if (current.checkPppoe) {
    w.SetChecked(kPppoe, true);
    // Checking the box proposes a window for the class; the page shows what
    // the registry holds.
    ShowNumber(w, kRecvWindow, current.values.recvWindow);
  }
  if (w.Text(kMtu).empty()) ShowNumber(w, kMtu, kEthernetMtu);
}

PassReport CustomTcpPage::RunPass(const CustomTcpSettings& settings) {
  WindowProgress progress(window, kPassControls);
  return RunPass(settings, progress);
}

PassReport CustomTcpPage::RunPass(const CustomTcpSettings& settings, PassProgress& progress) {
  return RunCustomTcpPass(settings, progress, kProgressMaximum / CustomTcpPassTicks());
}

PassReport CustomOptimizeTcp(CustomTcpPage& page) { return page.RunPass(page.Settings()); }

}  // namespace velomar
