#include "app/CustomTcpPage.h"

#include "app/MemoryWindow.h"
#include "bandwidth/BandwidthClass.h"
#include "tcp/Unit_RegOperation.h"
#include "util/Numbers.h"

namespace velomar {

namespace custom_tcp {
const std::vector<PageControl>& PageControls() {
  static const std::vector<PageControl> kControls = {
      {kTrackBar, ControlKind::TrackBar},           {kNetAdapter, ControlKind::Combo},
      {kAdapterNone, ControlKind::Check},           {kAdapterAll, ControlKind::Check},
      {kMtu, ControlKind::Edit},                    {kPppoe, ControlKind::Check},
      {kRecvWindow, ControlKind::Edit},             {kMtuDiscovery, ControlKind::Combo},
      {kBlackHoleDetect, ControlKind::Combo},       {kSelective, ControlKind::Combo},
      {kMaxDuplicate, ControlKind::Edit},           {kTimeToLive, ControlKind::Edit},
      {kWindowScaling, ControlKind::Check},         {kTimestamps, ControlKind::Check},
      {kMaxConnPerServer, ControlKind::Edit},       {kMaxConnPer10Server, ControlKind::Edit},
      {kLocalPriority, ControlKind::Edit},          {kHostPriority, ControlKind::Edit},
      {kDnsPriority, ControlKind::Edit},            {kNetbtPriority, ControlKind::Edit},
      {kMaxNegativeCacheTtl, ControlKind::Edit},    {kNetFailureCacheTime, ControlKind::Edit},
      {kNegativeSoaCacheTime, ControlKind::Edit},   {kLanRequestBuffer, ControlKind::Edit},
  };
  return kControls;
}
}  // namespace custom_tcp

using namespace custom_tcp;

namespace {
constexpr const char* kNetworkCards = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
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

void CustomTcpPage::TrackBar_BandWidthChange() {
  const BandwidthClass* c = BandwidthClassAt(window.Position(kTrackBar));
  if (!c) return;
  window.SetText(kSpeedGroup, "  " + window.Text(kYourChoice) + c->CustomLabel);
  BandwidthKbps = c->BandwidthKbps;
  // No window can be proposed for an MTU field that holds no usable number;
  // the field then keeps what it had, and the pass refuses the MTU itself.
  if (const auto mtu = ParseInt32(window.Text(kMtu)))
    if (const auto tcpWindow = ComputeTcpWindow(BandwidthKbps, *mtu))
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
  TrackBar_BandWidthChange();
  window.SetText(kMaxConnPerServer, "10");
  window.SetText(kMaxConnPer10Server, "10");
  window.SetText(kLocalPriority, "5");
  window.SetText(kHostPriority, "6");
  window.SetText(kDnsPriority, "7");
  window.SetText(kNetbtPriority, "8");
  window.SetText(kMaxNegativeCacheTtl, "0");
  window.SetText(kNetFailureCacheTime, "0");
  window.SetText(kNegativeSoaCacheTime, "0");
  window.SetText(kLanRequestBuffer, "16384");
  window.SetText(kMtu, window.Checked(kPppoe) ? "1492" : "1500");
  window.SetText(kTimeToLive, "64");
  window.SetChecked(kWindowScaling, true);
  window.SetChecked(kTimestamps, false);
  window.SetItemIndex(kMtuDiscovery, 1);
  window.SetItemIndex(kBlackHoleDetect, 2);
  window.SetItemIndex(kSelective, 1);
  window.SetText(kMaxDuplicate, "2");
}

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
  form.SetRange(kProgress, 0, 96);
  form.OnChange(kTrackBar, [&page] { page.TrackBar_BandWidthChange(); });
  form.OnClick(kPppoe, [&page] { page.CheckBox_PPPoEClick(); });
  form.OnClick(kAdapterNone, [&page] { page.CheckBox_Adapter_NoneClick(); });
}

}  // namespace velomar
