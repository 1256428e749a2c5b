#include "app/CustomLayout.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/CustomTcpPage.h"
#include "app/OutcomeMessage.h"
#include "app/WindowLinks.h"

namespace velomar {

using namespace custom_window;

namespace {

constexpr Color kCaptionColor = Rgb(44, 44, 44);

// A field label of the TCP/IP page and the field it names; the label is
// aligned to the field after translation.
struct FieldLabel {
  const char* label;
  const char* field;
};
constexpr FieldLabel kFieldLabels[] = {
    {"Label_MTU", custom_tcp::kMtu},
    {"Label_TCP_Receive_Window", custom_tcp::kRecvWindow},
    {"Label_MTU_Discovery", custom_tcp::kMtuDiscovery},
    {"Label_Black_Hole_Detect", custom_tcp::kBlackHoleDetect},
    {"Label_Selective", custom_tcp::kSelective},
    {"Label_Max_Duplicate", custom_tcp::kMaxDuplicate},
    {"Label_Max_Connection_Per_Server", custom_tcp::kMaxConnPerServer},
    {"Label_Max_Connection_Per_10_Server", custom_tcp::kMaxConnPer10Server},
    {"Label_Local_Priority", custom_tcp::kLocalPriority},
    {"Label_Host_Priority", custom_tcp::kHostPriority},
    {"Label_DNS_Priority", custom_tcp::kDnsPriority},
    {"Label_Netbt_Priority", custom_tcp::kNetbtPriority},
    {"Label_Max_Negative_Cache_TTL", custom_tcp::kMaxNegativeCacheTtl},
    {"Label_Net_Failure_Cache_Time", custom_tcp::kNetFailureCacheTime},
    {"Label_Negative_SOACache_Time", custom_tcp::kNegativeSoaCacheTime},
    {"Label_LAN_Request_Buffer", custom_tcp::kLanRequestBuffer},
};
constexpr int kLabelGap = 6;

// A number field: its digits stand at the right.
Component Number(const char* name, layout::Box box, std::string text) {
  return layout::Edit(name, {box.x, box.y, box.width, 21}, std::move(text)).RightToLeft();
}
// The label of a field, from kFieldLabels, beside the field at `fieldY`;
// its x is set by AlignFieldLabels.
Component FieldName(std::string_view field, int x, int fieldY, std::string caption) {
  for (const auto& pair : kFieldLabels)
    if (field == pair.field) return layout::Label(pair.label, {x, fieldY + 3}, std::move(caption));
  throw std::logic_error("no label for the field " + std::string(field));
}

std::vector<Component> FrameComponents() {
  using namespace layout;
  const char* panel = kPanel;
  const char* speed = "GroupBox_Speed";
  // clang-format off
  std::vector<Component> c = {
      Image("Image_Icon",                   {16, 0, 64, 64}).Picture("Program").Stretch(),
      Label(kTitle,                         {91, 8, 166, 23}, "Expert Mode").Font(19).Bold().FontColor(Rgb(10, 78, 146)),
      Label("Label_Custom_Introduce",       {91, 35, 367, 0}, "Choose your bandwidth and the options you want, then press one of the two optimize buttons.").WordWrap(),
  };
  const auto linkParts = LinkComponents({.recoverImage = {320, 10, 62, 15}, .recoverLabel = {336, 9},
                                         .helpImage = {393, 10, 68, 16},    .helpLabel = {412, 10},
                                         .recoverZone = {316, 8, 74, 19},   .helpZone = {392, 8, 82, 19}},
                                        "Recover", "Help");
  c.insert(c.end(), linkParts.begin(), linkParts.end());
  const std::vector<Component> body = {
      Panel(panel,                          {0, 70, 561, 523}).Background(Rgb(230, 230, 230)),
      Label("Label_ChooseBandwidth",        {16, 12}, "Choose your bandwidth").In(panel).Bold().Font(13).FontColor(kCaptionColor),
      GroupBox(speed,                       {16, 30, 446, 80}, "  Your choice : 56 Kbps  ").In(panel).Background(Rgb(230, 230, 230)),
      TrackBar(custom_tcp::kTrackBar,       {9, 20, 424, 33}).In(speed).Range(0, 10).Page(1),
  };
  c.insert(c.end(), body.begin(), body.end());
  const auto ticks = TickLabels(speed, {13, 51, 94, 134, 173, 215, 252, 290, 328, 369, 415}, 52);
  c.insert(c.end(), ticks.begin(), ticks.end());
  const std::vector<Component> tabs = {
      Image(kTcpSelect,                     {16, 118, 91, 60}).In(panel).Picture("TabSelected").HandCursor(),
      Image(kTcpNotSelect,                  {16, 118, 91, 60}).In(panel).Picture("TabNotSelected").HandCursor().Hidden(),
      Image(kFirefoxSelect,                 {16, 185, 91, 60}).In(panel).Picture("TabSelected").HandCursor().Hidden(),
      Image(kFirefoxNotSelect,              {16, 185, 91, 60}).In(panel).Picture("TabNotSelected").HandCursor(),
      Label(kTcpCaption,                    {36, 132, 62, 35}, "TCP/IP Settings").In(panel).Transparent().WordWrap().HandCursor().Font(13).Bold().FontColor(kCaptionColor),
      Label(kFirefoxCaption,                {36, 201, 61, 32}, "Firefox Settings").In(panel).Transparent().WordWrap().HandCursor().Font(13).FontColor(kCaptionColor),
      PageControl(kMainPages,               {113, 116, 433, 402}).In(panel).NoTabs(),
      TabSheet(kFirefoxSheet,               "Firefox").In(kMainPages),
      TabSheet(kTcpSheet,                   "TCP/IP").In(kMainPages),
  };
  // clang-format on
  c.insert(c.end(), tabs.begin(), tabs.end());
  return c;
}

std::vector<Component> TcpPageComponents() {
  using namespace layout;
  using namespace custom_tcp;
  const char* general = "TabSheet_General_Settings";
  const char* advanced = "TabSheet_Advanced_Settings";
  const char* cards = "GroupBox_NetworkAdapterSelect";
  const char* settings = "GroupBox_GeneralSettings";
  const char* ttl = "GroupBox_TimeToLive";
  const char* rfc1323 = "GroupBox_TCP1323Options";
  const char* ie = "GroupBox_Internet_Explorer_Optimization";
  const char* hosts = "GroupBox_Host_Resolution_Priority";
  const char* dns = "GroupBox_DNS_Error_Caching";
  // The sheets' client areas as the tab control leaves them; the framework
  // works them out itself, the in-memory window takes these.
  const Box sheet{2, 22, 341, 332};
  // clang-format off
  return {
      layout::PageControl(kTcpPages,                                 {1, 0, 345, 356}).In(kTcpSheet),
      Make(ComponentKind::TabSheet, general, sheet,          "General").In(kTcpPages),
      Make(ComponentKind::TabSheet, advanced, sheet,         "Advanced").In(kTcpPages),

      GroupBox(cards,                                        {11, 5, 314, 103}, "Network card to tune").In(general),
      ComboBox(kNetAdapter,                                  {20, 24, 273, 0}).In(cards),
      CheckBox(kAdapterNone,                                 {20, 51, 165, 17}, "Tune no network card").In(cards),
      CheckBox(kAdapterAll,                                  {20, 73, 165, 17}, "Tune all network cards").In(cards),
      FieldName(kMtu, 194,                                   49, "MTU:").In(cards),
      Number(kMtu,                                           {225, 49, 67}, "1500").In(cards).MaxLength(4),
      CheckBox(kPppoe,                                       {193, 73, 99, 17}, "PPPoE").In(cards),

      GroupBox(settings,                                     {11, 114, 199, 168}, "General settings").In(general),
      FieldName(kRecvWindow, 10,                             23, "Receive window:").In(settings),
      Number(kRecvWindow,                                    {107, 23, 80}, "").In(settings),
      FieldName(kMtuDiscovery, 10,                           52, "MTU discovery:").In(settings),
      ComboBox(kMtuDiscovery,                                {107, 52, 80, 0}).In(settings),
      FieldName(kBlackHoleDetect, 10,                        79, "Black hole detect:").In(settings),
      ComboBox(kBlackHoleDetect,                             {107, 79, 80, 0}).In(settings),
      FieldName(kSelective, 10,                              107, "Selective ACK:").In(settings),
      ComboBox(kSelective,                                   {107, 107, 80, 0}).In(settings),
      FieldName(kMaxDuplicate, 10,                           134, "Duplicate ACKs:").In(settings),
      Number(kMaxDuplicate,                                  {107, 134, 80}, "2").In(settings),

      GroupBox(ttl,                                          {219, 114, 106, 64}, "Time to live").In(general),
      Number(kTimeToLive,                                    {17, 23, 76}, "64").In(ttl).MaxLength(3),
      GroupBox(rfc1323,                                      {219, 201, 106, 81}, "RFC 1323").In(general),
      CheckBox(kWindowScaling,                               {9, 23, 92, 17}, "Scaling").In(rfc1323),
      CheckBox(kTimestamps,                                  {9, 50, 92, 17}, "Timestamps").In(rfc1323),

      GroupBox(ie,                                           {11, 6, 314, 69}, "Connections per server").In(advanced),
      FieldName(kMaxConnPerServer, 12,                       15, "HTTP 1.1 servers:").In(ie),
      Number(kMaxConnPerServer,                              {194, 15, 92}, "10").In(ie),
      FieldName(kMaxConnPer10Server, 12,                     42, "HTTP 1.0 servers:").In(ie),
      Number(kMaxConnPer10Server,                            {194, 42, 92}, "10").In(ie),

      GroupBox(hosts,                                        {11, 78, 314, 72}, "Host resolution priority").In(advanced),
      FieldName(kLocalPriority, 12,                          18, "Local names:").In(hosts),
      Number(kLocalPriority,                                 {97, 18, 52}, "5").In(hosts),
      FieldName(kHostPriority, 12,                           43, "Hosts file:").In(hosts),
      Number(kHostPriority,                                  {98, 43, 52}, "6").In(hosts),
      FieldName(kDnsPriority, 160,                           18, "DNS:").In(hosts),
      Number(kDnsPriority,                                   {234, 18, 52}, "7").In(hosts),
      FieldName(kNetbtPriority, 160,                         44, "NetBT:").In(hosts),
      Number(kNetbtPriority,                                 {234, 44, 52}, "8").In(hosts),

      GroupBox(dns,                                          {11, 157, 314, 99}, "DNS error caching (seconds)").In(advanced),
      FieldName(kMaxNegativeCacheTtl, 12,                    16, "Failed look-ups:").In(dns),
      Number(kMaxNegativeCacheTtl,                           {194, 16, 92}, "0").In(dns),
      FieldName(kNetFailureCacheTime, 12,                    42, "Network failures:").In(dns),
      Number(kNetFailureCacheTime,                           {194, 42, 92}, "0").In(dns),
      FieldName(kNegativeSoaCacheTime, 12,                   68, "Failed SOA look-ups:").In(dns),
      Number(kNegativeSoaCacheTime,                          {194, 68, 92}, "0").In(dns),

      FieldName(kLanRequestBuffer, 49,                       263, "LAN request buffer (bytes):").In(advanced),
      Number(kLanRequestBuffer,                              {205, 263, 92}, "16384").In(advanced),

      Button(kTcpRecommend,                                  {15, 317, 97, 25}, "Recommended").In(kTcpSheet),
      Button(kTcpOptimize,                                   {249, 364, 97, 25}, "Optimize TCP/IP").In(kTcpSheet),
      ProgressBar(kProgress,                                 {2, 370, 241, 14}).In(kTcpSheet).Range(0, kProgressMaximum).Hidden(),
  };
  // clang-format on
}

}  // namespace

FormLayout CustomLayout() {
  FormLayout f;
  f.className = kClassName;
  f.caption = "Velomar";
  f.clientWidth = 483;
  f.clientHeight = 591;
  f.fontHeight = 11;
  f.color = Rgb(210, 210, 210);
  f.components = FrameComponents();
  for (auto& part : {FirefoxPageComponents(), TcpPageComponents()})
    f.components.insert(f.components.end(), part.begin(), part.end());
  f.components.push_back(layout::Timer(kTimer, 100));
  return f;
}

void AlignFieldLabels(WindowState& window) {
  for (const auto& pair : kFieldLabels) {
    Bounds label = window.BoundsOf(pair.label);
    const Bounds field = window.BoundsOf(pair.field);
    label.x = std::max(2, field.x - kLabelGap - label.width);
    window.SetBounds(pair.label, label);
  }
}

std::string FieldCaption(const WindowState& window, const std::string& field) {
  std::string caption;
  if (field == custom_tcp::kTimeToLive) caption = window.Text("GroupBox_TimeToLive");
  for (const auto& pair : kFieldLabels)
    if (field == pair.field) caption = window.Text(pair.label);
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.pop_back();
  return caption.empty() ? field : caption;
}

}  // namespace velomar
