#pragma once
// The custom window's TCP/IP page logic, over the window-state seam: its
// inputs as one table, the network-card table, the class and MTU rules, the
// recommended values. The Win32 window and the in-memory form both drive it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CustomUnitState.h"
#include "app/WindowProgress.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/NetworkCards.h"
#include "util/Numbers.h"
#include "window/WindowState.h"

namespace velomar {

namespace custom_tcp {
inline constexpr const char* kTrackBar = "TrackBar_BandWidth";
inline constexpr const char* kSpeedGroup = "GroupBox_Speed";
inline constexpr const char* kProgress = "ProgressBar_TCP";
// The custom pass shows its progress on the bar alone, which it fills.
inline constexpr ProgressControls kPassControls{nullptr, kProgress, nullptr};
inline constexpr int kProgressMaximum = 96;
inline constexpr const char* kNetAdapter = "ComboBox_NetAdapter";
inline constexpr const char* kAdapterNone = "CheckBox_Adapter_None";
inline constexpr const char* kAdapterAll = "CheckBox_Adapter_All";
inline constexpr const char* kMtu = "Edit_MTU";
inline constexpr const char* kPppoe = "CheckBox_PPPoE";
inline constexpr const char* kRecvWindow = "Edit_TCP_RecvWindows";
inline constexpr const char* kMtuDiscovery = "ComboBox_MTU_Discovery";
inline constexpr const char* kBlackHoleDetect = "ComboBox_BlackHoleDetect";
inline constexpr const char* kSelective = "ComboBox_Selective";
inline constexpr const char* kMaxDuplicate = "Edit_MaxDuplicate";
inline constexpr const char* kTimeToLive = "Edit_TimeToLive";
inline constexpr const char* kWindowScaling = "CheckBox_WindowScaling";
inline constexpr const char* kTimestamps = "CheckBox_Timestamps";
inline constexpr const char* kMaxConnPerServer = "Edit_MaxConnectionPerServer";
inline constexpr const char* kMaxConnPer10Server = "Edit_MaxConnectionPer1_0Server";
inline constexpr const char* kLocalPriority = "Edit_LocalPriorty";
inline constexpr const char* kHostPriority = "Edit_HostPriority";
inline constexpr const char* kDnsPriority = "Edit_DnsPriority";
inline constexpr const char* kNetbtPriority = "Edit_NetbtPriority";
inline constexpr const char* kMaxNegativeCacheTtl = "Edit_MaxNegativeCacheTTL";
inline constexpr const char* kNetFailureCacheTime = "Edit_NetFailureCacheTime";
inline constexpr const char* kNegativeSoaCacheTime = "Edit_NegativeSOACacheTime";
inline constexpr const char* kLanRequestBuffer = "Edit_LAN_Request_Buffer";
}  // namespace custom_tcp

// An input of the TCP/IP page: its component, and the field of the custom
// pass it carries (none for the class, the card choice, the MTU field and
// the PPPoE box, which the page's own rules handle).
struct CustomTcpInput {
  const char* component;
  const CustomTcpField* field = nullptr;
};
// The page's inputs in layout order (what velomar-cli show prints).
const std::vector<CustomTcpInput>& CustomTcpInputs();

// A page field whose text is not a number; `field` names its edit box.
class FieldConversionError : public ConversionError {
 public:
  FieldConversionError(const std::string& message, std::string field)
      : ConversionError(message), field_(std::move(field)) {}
  const std::string& field() const { return field_; }

 private:
  std::string field_;
};

class CustomTcpPage {
 public:
  static constexpr std::size_t kMaxCards = 10;

  CustomTcpPage(WindowState& window, CustomUnitState& unit) : window(window), unit(unit) {}

  // Attaches the page's own handlers: the track bar, PPPoE and no-card boxes.
  void Wire();

  // The cards under the registry's NetworkCards key with both a description
  // and a service name, at most ten; each becomes an item of
  // ComboBox_NetAdapter and the last one listed stays selected.
  void BuildNetworkCardList();
  // The three switches get the captions of Label_Default, Label_Yes and
  // Label_No as items, item 0 selected.
  void FillSwitchCombos();

  void TrackBar_BandWidthChange();
  void CheckBox_PPPoEClick();
  void CheckBox_Adapter_NoneClick();
  void Button_TCP_RecommendClick();

  // The service name of the card selected in ComboBox_NetAdapter; empty
  // when none is selected.
  std::string SelectedServiceName() const;

  // The page as the custom pass writes it. Every number it needs is
  // converted first, in the order the pass writes them: a text that is not
  // one raises FieldConversionError naming its field. The MTU field is
  // needed only when an adapter will be tuned.
  CustomTcpSettings Settings() const;
  // The custom TCP/IP pass over converted settings, on the page's bar, or
  // on `progress` with the budget of the page's bar.
  PassReport RunPass(const CustomTcpSettings& settings);
  PassReport RunPass(const CustomTcpSettings& settings, PassProgress& progress);

  // An input's value as text: an edit box's text, a combo box's item index,
  // a check box's 1 or 0, the track bar's position.
  std::string ShownValue(std::string_view component) const;
  // Sets an input from such a text as the user would set it (the track bar
  // also takes a class's tick label); why not, when the text is no value
  // for it or the page has no such input.
  std::optional<std::string> SetFromText(std::string_view component, const std::string& text);

  WindowState& window;
  CustomUnitState& unit;  // BandwidthKbps, shared with the Firefox page
  std::vector<NetworkCard> cards;
  std::string savedMtuText;
};

// Fills the page from the registry, after setting the track bar to the
// stored custom class. Edit_TCP_RecvWindows ends up showing the registry's
// TcpWindowSize ("65536" without one), also when the selected card's MTU
// of 1492 checks the PPPoE box.
void ReadCurrentTcpSettings(CustomTcpPage& page);

// The custom TCP/IP pass over the page: converts it (nothing is written when
// a field does not convert), then writes it.
PassReport CustomOptimizeTcp(CustomTcpPage& page);

}  // namespace velomar
