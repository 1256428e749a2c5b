#include "app/CustomTcpPage.h"

#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastSetBandWidth.h"
#include "registry/Unit_RegOperation.h"
#include "tcp/TcpSteps.h"
#include "window/MemoryWindow.h"

namespace velomar {

namespace custom_tcp {
const std::vector<PageControl>& PageControls() {
  static const std::vector<PageControl> kControls = {
      {kTrackBar, ControlKind::TrackBar},
      {kNetAdapter, ControlKind::Combo},
      {kAdapterNone, ControlKind::Check},
      {kAdapterAll, ControlKind::Check},
      {kMtu, ControlKind::Edit},
      {kPppoe, ControlKind::Check},
      {kRecvWindow, ControlKind::Edit},
      {kMtuDiscovery, ControlKind::Combo},
      {kBlackHoleDetect, ControlKind::Combo},
      {kSelective, ControlKind::Combo},
      {kMaxDuplicate, ControlKind::Edit},
      {kTimeToLive, ControlKind::Edit},
      {kWindowScaling, ControlKind::Check},
      {kTimestamps, ControlKind::Check},
      {kMaxConnPerServer, ControlKind::Edit},
      {kMaxConnPer10Server, ControlKind::Edit},
      {kLocalPriority, ControlKind::Edit},
      {kHostPriority, ControlKind::Edit},
      {kDnsPriority, ControlKind::Edit},
      {kNetbtPriority, ControlKind::Edit},
      {kMaxNegativeCacheTtl, ControlKind::Edit},
      {kNetFailureCacheTime, ControlKind::Edit},
      {kNegativeSoaCacheTime, ControlKind::Edit},
      {kLanRequestBuffer, ControlKind::Edit},
  };
  return kControls;
}
}  // namespace custom_tcp

using namespace custom_tcp;

namespace {

constexpr const char* kNetworkCards = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

std::int32_t Convert(const WindowState& window, const char* edit) {
  const std::string text = window.Text(edit);
  const auto value = ParseInt32(text);
  if (!value) throw FieldConversionError(NotAnIntegerMessage(text, edit), edit);
  if (*value == RegNoValue)
    throw FieldConversionError("'" + text + "' stands for no value and cannot be written (" + edit + ")", edit);
  return *value;
}

TcpSwitch SwitchAt(const WindowState& window, const char* combo) {
  const int item = window.ItemIndex(combo);
  return item == 1 ? TcpSwitch::Yes : item == 2 ? TcpSwitch::No : TcpSwitch::Default;
}

void ShowSwitch(WindowState& window, const char* combo, TcpSwitch value) {
  window.SetItemIndex(combo, static_cast<int>(value));
}

// The switch item that writes a recommended value.
TcpSwitch SwitchFor(const TunedValue& value) { return value.recommended == 1 ? TcpSwitch::Yes : TcpSwitch::No; }

void ShowNumber(WindowState& window, const char* edit, std::int32_t value) {
  window.SetText(edit, std::to_string(value));
}

}  // namespace

void CustomTcpPage::Wire() {
  window.On(kTrackBar, Event::Change, [this] { TrackBar_BandWidthChange(); });
  window.On(kPppoe, Event::Click, [this] { CheckBox_PPPoEClick(); });
  window.On(kAdapterNone, Event::Click, [this] { CheckBox_Adapter_NoneClick(); });
}

void CustomTcpPage::BuildNetworkCardList() {
  std::vector<std::string> names;
  if (RegKeyExists("HKEY_LOCAL_MACHINE", kNetworkCards)) ListRegSubKeys("HKEY_LOCAL_MACHINE", kNetworkCards, names);
  for (const auto& name : names) {
    if (cards.size() >= kMaxCards) break;
    const std::string key = std::string(kNetworkCards) + "\\" + name;
    NetworkCard card{ReadRegString("HKEY_LOCAL_MACHINE", key, "Description"),
                     ReadRegString("HKEY_LOCAL_MACHINE", key, "ServiceName")};
    if (card.Description.empty() || card.ServiceName.empty()) continue;
    cards.push_back(card);
    window.AddItem(kNetAdapter, card.Description);
    window.SetItemIndex(kNetAdapter, static_cast<int>(cards.size()) - 1);
  }
}

void CustomTcpPage::FillSwitchCombos() {
  const std::vector<std::string> items = {window.Text(kLabelDefault), window.Text(kLabelYes), window.Text(kLabelNo)};
  for (const char* combo : {kMtuDiscovery, kBlackHoleDetect, kSelective}) {
    window.SetItems(combo, items);
    window.SetItemIndex(combo, 0);
  }
}

std::string CustomTcpPage::SelectedServiceName() const {
  const int index = window.ItemIndex(kNetAdapter);
  if (index < 0 || index >= static_cast<int>(cards.size())) return {};
  return cards[static_cast<std::size_t>(index)].ServiceName;
}

CustomTcpSettings CustomTcpPage::Settings() const {
  CustomTcpSettings s;
  AdapterChoice choice{window.Checked(kAdapterNone), window.Checked(kAdapterAll), SelectedServiceName(), {}};
  for (const auto& card : cards) choice.cardServices.push_back(card.ServiceName);
  s.adapters = CustomAdapters(choice);
  s.recvWindow = Convert(window, kRecvWindow);
  s.maxDuplicate = Convert(window, kMaxDuplicate);
  s.timeToLive = Convert(window, kTimeToLive);
  s.maxConnPerServer = Convert(window, kMaxConnPerServer);
  s.maxConnPer10Server = Convert(window, kMaxConnPer10Server);
  s.maxNegativeCacheTtl = Convert(window, kMaxNegativeCacheTtl);
  s.netFailureCacheTime = Convert(window, kNetFailureCacheTime);
  s.negativeSoaCacheTime = Convert(window, kNegativeSoaCacheTime);
  s.localPriority = Convert(window, kLocalPriority);
  s.hostPriority = Convert(window, kHostPriority);
  s.dnsPriority = Convert(window, kDnsPriority);
  s.netbtPriority = Convert(window, kNetbtPriority);
  s.lanRequestBuffer = Convert(window, kLanRequestBuffer);
  s.mtu = s.adapters.empty() ? 0 : Convert(window, kMtu);
  s.mtuDiscovery = SwitchAt(window, kMtuDiscovery);
  s.blackHoleDetect = SwitchAt(window, kBlackHoleDetect);
  s.selective = SwitchAt(window, kSelective);
  s.windowScaling = window.Checked(kWindowScaling);
  s.timestamps = window.Checked(kTimestamps);
  s.bandwidthKbps = unit.BandwidthKbps;
  return s;
}

void CustomTcpPage::TrackBar_BandWidthChange() {
  const BandwidthClass* c = BandwidthClassAt(window.Position(kTrackBar));
  if (!c) return;
  window.SetText(kSpeedGroup, "  " + window.Text(kYourChoice) + c->CustomLabel);
  unit.BandwidthKbps = c->BandwidthKbps;
  // No window can be proposed for an MTU field that holds no usable number;
  // the field then keeps what it had, and the pass refuses the MTU itself.
  if (const auto mtu = ParseInt32(window.Text(kMtu)))
    if (const auto tcpWindow = ComputeTcpWindow(unit.BandwidthKbps, *mtu))
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
  using namespace tuned;
  TrackBar_BandWidthChange();
  ShowNumber(window, kMaxConnPerServer, MaxConnectionsPerServer.recommended);
  ShowNumber(window, kMaxConnPer10Server, MaxConnectionsPer1_0Server.recommended);
  ShowNumber(window, kLocalPriority, LocalPriority.recommended);
  ShowNumber(window, kHostPriority, HostsPriority.recommended);
  ShowNumber(window, kDnsPriority, DnsPriority.recommended);
  ShowNumber(window, kNetbtPriority, NetbtPriority.recommended);
  ShowNumber(window, kMaxNegativeCacheTtl, MaxNegativeCacheTtl.recommended);
  ShowNumber(window, kNetFailureCacheTime, NetFailureCacheTime.recommended);
  ShowNumber(window, kNegativeSoaCacheTime, NegativeSOACacheTime.recommended);
  ShowNumber(window, kLanRequestBuffer, SizReqBuf.recommended);
  ShowNumber(window, kMtu, window.Checked(kPppoe) ? kPppoeMtu : kEthernetMtu);
  ShowNumber(window, kTimeToLive, DefaultTTL.recommended);
  window.SetChecked(kWindowScaling, (Tcp1323Opts.recommended & 1) != 0);
  window.SetChecked(kTimestamps, (Tcp1323Opts.recommended & 2) != 0);
  ShowSwitch(window, kMtuDiscovery, SwitchFor(EnablePMTUDiscovery));
  ShowSwitch(window, kBlackHoleDetect, SwitchFor(EnablePMTUBHDetect));
  ShowSwitch(window, kSelective, SwitchFor(SackOpts));
  ShowNumber(window, kMaxDuplicate, TcpMaxDupAcks.recommended);
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

  const CurrentTcpSettings s = ReadTcpSettings(page.SelectedServiceName());
  w.SetText(kRecvWindow, s.recvWindow);
  ShowSwitch(w, kMtuDiscovery, s.mtuDiscovery);
  ShowSwitch(w, kBlackHoleDetect, s.blackHoleDetect);
  ShowSwitch(w, kSelective, s.selective);
  w.SetText(kTimeToLive, s.timeToLive);
  w.SetText(kMaxDuplicate, s.maxDuplicate);
  if (s.checkWindowScaling) w.SetChecked(kWindowScaling, true);
  if (s.checkTimestamps) w.SetChecked(kTimestamps, true);
  w.SetText(kMaxConnPerServer, s.maxConnPerServer);
  w.SetText(kMaxConnPer10Server, s.maxConnPer10Server);
  w.SetText(kMaxNegativeCacheTtl, s.maxNegativeCacheTtl);
  w.SetText(kNetFailureCacheTime, s.netFailureCacheTime);
  w.SetText(kNegativeSoaCacheTime, s.negativeSoaCacheTime);
  w.SetText(kLocalPriority, s.localPriority);
  w.SetText(kHostPriority, s.hostPriority);
  w.SetText(kDnsPriority, s.dnsPriority);
  w.SetText(kNetbtPriority, s.netbtPriority);
  w.SetText(kLanRequestBuffer, s.lanRequestBuffer);
  if (s.mtu) w.SetText(kMtu, *s.mtu);
  if (s.checkPppoe) {
    w.SetChecked(kPppoe, true);
    // Checking the box proposes a window for the class; the page shows what
    // the registry holds.
    w.SetText(kRecvWindow, s.recvWindow);
  }
  if (w.Text(kMtu).empty()) ShowNumber(w, kMtu, kEthernetMtu);
}

PassReport CustomTcpPage::RunPass(const CustomTcpSettings& settings) {
  WindowProgress progress(window, kPassControls);
  return RunCustomTcpPass(settings, progress, kProgressMaximum / CustomTcpPassTicks());
}

PassReport CustomOptimizeTcp(CustomTcpPage& page) { return page.RunPass(page.Settings()); }

void DesignCustomTcpPage(MemoryWindow& form, CustomTcpPage& page) {
  form.Design(kYourChoice, "Your choice");
  form.Design(kLabelDefault, "Default");
  form.Design(kLabelYes, "Yes");
  form.Design(kLabelNo, "No");
  form.Design(kMtu, "1500");
  form.Design(kRecvWindow, "");
  form.Design(kMaxDuplicate, "2");
  form.Design(kTimeToLive, "64");
  form.Design(kMaxConnPerServer, "10");
  form.Design(kMaxConnPer10Server, "10");
  form.Design(kLocalPriority, "5");
  form.Design(kHostPriority, "6");
  form.Design(kDnsPriority, "7");
  form.Design(kNetbtPriority, "8");
  form.Design(kMaxNegativeCacheTtl, "0");
  form.Design(kNetFailureCacheTime, "0");
  form.Design(kNegativeSoaCacheTime, "0");
  form.Design(kLanRequestBuffer, "16384");
  form.SetRange(kTrackBar, 0, 10);
  form.SetRange(kProgress, 0, kProgressMaximum);
  page.Wire();
}

}  // namespace velomar
