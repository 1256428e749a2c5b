#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "app/CustomFirefoxPage.h"
#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"

namespace velomar {

using namespace custom_window;

namespace {

// A row of a Firefox tab: a preference box, or a label that says more about
// the box above it.
struct Row {
  const char* name;
  const char* caption;
};
struct Tab {
  const char* sheet;
  const char* caption;
  std::vector<Row> rows;
};

// The two boxes whose captions are labels of their own beside them.
constexpr std::pair<const char*, const char*> kBoxCaptions[] = {
    {custom_firefox_page::kMaxConnectionBox, custom_firefox_page::kMaxConnectionLabel},
    {custom_firefox_page::kPerProxyBox, custom_firefox_page::kPerProxyLabel},
};
constexpr const char* kBoxCaptionTexts[] = {"More connections at once", "More kept-alive connections to a proxy"};

const std::vector<Tab>& Tabs() {
  // clang-format off
  static const std::vector<Tab> kTabs = {
      {"TabSheet_FF_Network", "Network", {
          {"CheckBox_N_H_Pipelining",                             "Send several requests at once (pipelining)"},
          {"Label_N_H_Pipelining_Introduce",                      "Asks for the next parts of a page without waiting."},
          {"CheckBox_N_T_Pip_Max",                                "Up to eight requests in one go"},
          {"CheckBox_N_H_Proxy_Pip",                              "Pipelining through a proxy server too"},
          {"Label_N_H_Proxy_Pip_Introduce",                       "Only for proxy servers that accept it."},
          {"CheckBox_N_H_Request_MSD",                            "Send waiting requests at once"},
          {"Label_N_H_Request_MSD_Introduce",                     "Firefox no longer waits before it starts a request."},
          {"CheckBox_N_H_MaxConection",                           ""},
          {"Label_N_H_MaxConection_Introduce",                    "How many connections Firefox keeps open in all."},
          {"CheckBox_N_H_MaxConection_PerServer",                 "More connections to one server"},
          {"Label_N_H_MaxConection_PerServer_Introduce",          "Loads the pictures of a page side by side."},
          {"CheckBox_N_H_PersistentConnections_PerProxy",         ""},
          {"Label_N_H_PersistentConnections_PerProxy_Introduce",  "An open connection serves the next request too."},
          {"CheckBox_N_H_PersistentConnections_PerServer",        "More kept-alive connections to one server"},
          {"Label_N_H_PersistentConnections_PerServer_Introduce", "Saves the time it takes to set up a connection."}}},
      {"TabSheet_FF_Browser", "Browser", {
          {"CheckBox_B_T_enabled",                                "Quick start (turbo mode)"},
          {"Label_B_T_enabled_Introduce",                         "Keeps part of Firefox ready in memory."},
          {"CheckBox_B_Display_SIP",                              "Show placeholders while pictures load"},
          {"CheckBox_B_Chrome_Favicons",                          "Do not load the icons of web sites"},
          {"CheckBox_B_URLbar_AutoFill",                          "Complete addresses as you type"},
          {"Label_B_URLbar_AutoFill_Introduce",                   "Fills in addresses you have visited before."},
          {"CheckBox_B_Cache_Memory_Capacity",                    "A larger cache in memory"},
          {"CheckBox_B_XulErrorPagesEnabled",                     "Show errors as pages instead of message boxes"}}},
      {"TabSheet_FF_Content", "Content", {
          {"CheckBox_C_Notify_Backoffcount",                      "Redraw a loading page at most five times"},
          {"CheckBox_C_Maxtextrun",                               "Lay out longer runs of text at once"},
          {"CheckBox_C_Interrupt_Parsing",                        "Let your input interrupt page loading"},
          {"CheckBox_C_Notify_Interval",                          "Redraw loading pages less often"},
          {"Label_C_Notify_Interval_Introduce",                   "Pages show a little later but finish sooner."},
          {"CheckBox_C_Max_Tokenizing_Time",                      "Read pages in longer steps"},
          {"CheckBox_C_Switch_Threshold",                         "Put loading first when you are idle"},
          {"Label_C_Switch_Threshold_Introduce",                  "After a moment without input, pages load faster."}}},
      {"TabSheet_FF_Other", "Other", {
          {"CheckBox_O_P_EFP",                                    "Tell plug-ins their full path"},
          {"CheckBox_O_Ui_SubmenuDelay",                          "Open submenus without delay"},
          {"CheckBox_O_D_DWSC",                                   "Keep pages from changing the status bar"},
          {"CheckBox_O_Nglayout_Initialpaint_Delay",              "Start drawing pages sooner"}}},
  };
  // clang-format on
  return kTabs;
}

constexpr int kRowGap = 5;
constexpr int kFirstRowY = 8;
constexpr int kBottomMargin = 6;
constexpr int kBoxX = 10;
constexpr int kBoxWidth = 322;
constexpr int kBoxHeight = 17;
constexpr int kCaptionX = 28;  // introduce labels and box captions: under the box's text
constexpr int kCaptionWidth = 300;
constexpr int kCaptionHeight = 13;
constexpr Color kIntroduceColor = Rgb(96, 96, 96);

bool IsBox(std::string_view name) { return name.starts_with("CheckBox_"); }

const char* CaptionLabelOf(std::string_view box) {
  for (const auto& [b, label] : kBoxCaptions)
    if (box == b) return label;
  return nullptr;
}

// What stands below the tab controls of both pages and moves down with
// them, and what grows with them.
constexpr const char* kBelowTabs[] = {
    kCheckAll,     kFirefoxRecommend, kFirefoxOptimize,     custom_firefox_page::kProgress,
    kTcpRecommend, kTcpOptimize,      custom_tcp::kProgress};
constexpr const char* kGrowingContainers[] = {
    kTcpPages, "TabSheet_General_Settings", "TabSheet_Advanced_Settings", kMainPages, kFirefoxSheet, kTcpSheet, kPanel};

void Grow(WindowState& window, int by) {
  auto adjust = [&window](const std::string& name, int dy, int dh) {
    Bounds b = window.BoundsOf(name);
    b.y += dy;
    b.height += dh;
    window.SetBounds(name, b);
  };
  for (const char* name : kBelowTabs) adjust(name, by, 0);
  adjust(kFirefoxPages, 0, by);
  for (const auto& tab : Tabs()) adjust(tab.sheet, 0, by);
  for (const char* name : kGrowingContainers) adjust(name, 0, by);
  adjust("", -by / 2, by);  // the window's frame, still centred where it stood
}

}  // namespace

std::vector<Component> FirefoxPageComponents() {
  using namespace layout;
  const Box sheet{2, 22, 341, 332};  // as on the TCP/IP page
  std::vector<Component> c = {PageControl(kFirefoxPages, {1, 0, 345, 356}).In(kFirefoxSheet)};
  for (const auto& tab : Tabs()) {
    c.push_back(Make(ComponentKind::TabSheet, tab.sheet, sheet, tab.caption).In(kFirefoxPages));
    int y = kFirstRowY;
    for (const auto& row : tab.rows) {
      if (!IsBox(row.name)) {
        c.push_back(Label(row.name, {kCaptionX, y, kCaptionWidth, kCaptionHeight}, row.caption)
                        .In(tab.sheet)
                        .WordWrap()
                        .FontColor(kIntroduceColor));
        y += kCaptionHeight + kRowGap;
        continue;
      }
      if (const char* label = CaptionLabelOf(row.name)) {
        // A bare box, and its caption beside it as a label that toggles it.
        c.push_back(CheckBox(row.name, {kBoxX, y, 15, kBoxHeight}, "").In(tab.sheet));
        const auto k = static_cast<std::size_t>(label == kBoxCaptions[0].second ? 0 : 1);
        c.push_back(Label(label, {kCaptionX, y + 2}, kBoxCaptionTexts[k]).In(tab.sheet).HandCursor());
      } else {
        c.push_back(CheckBox(row.name, {kBoxX, y, kBoxWidth, kBoxHeight}, row.caption).In(tab.sheet));
      }
      y += kBoxHeight + kRowGap;
    }
  }
  // While a pass runs, the progress bar takes the place of the check-all box
  // and the recommended button.
  // clang-format off
  const std::vector<Component> bottom = {
      CheckBox(kCheckAll,                       {6, 368, 130, 17}, "All options").In(kFirefoxSheet).Checked(),
      Button(kFirefoxRecommend,                 {146, 364, 97, 25}, "Recommended").In(kFirefoxSheet),
      Button(kFirefoxOptimize,                  {249, 364, 97, 25}, "Optimize Firefox").In(kFirefoxSheet),
      ProgressBar(custom_firefox_page::kProgress, {2, 370, 241, 14}).In(kFirefoxSheet).Range(0, custom_firefox_page::kProgressMaximum).Hidden(),
  };
  // clang-format on
  c.insert(c.end(), bottom.begin(), bottom.end());
  return c;
}

const std::vector<FirefoxTabRows>& FirefoxRowChains() {
  static const std::vector<FirefoxTabRows> kChains = [] {
    std::vector<FirefoxTabRows> chains;
    for (const auto& tab : Tabs()) {
      FirefoxTabRows rows{tab.sheet, {}};
      for (const auto& row : tab.rows) rows.chain.push_back(row.name);
      chains.push_back(std::move(rows));
    }
    return chains;
  }();
  return kChains;
}

void StackFirefoxRows(WindowState& window) {
  int overflow = 0;
  for (const auto& tab : FirefoxRowChains()) {
    Bounds above = window.BoundsOf(tab.chain.front());
    for (std::size_t k = 1; k < tab.chain.size(); ++k) {
      Bounds row = window.BoundsOf(tab.chain[k]);
      row.y = above.y + above.height + kRowGap;
      window.SetBounds(tab.chain[k], row);
      if (const char* label = CaptionLabelOf(tab.chain[k])) {
        Bounds caption = window.BoundsOf(label);
        caption.y = row.y + 2;
        window.SetBounds(label, caption);
      }
      above = row;
    }
    const int needed = above.y + above.height + kBottomMargin;
    overflow = std::max(overflow, needed - window.BoundsOf(tab.sheet).height);
  }
  if (overflow > 0) Grow(window, overflow);
}

}  // namespace velomar
