#pragma once
// The custom window's layout: the frame with the class track bar and the
// two picture tabs, the TCP/IP page and the Firefox page; and the layout
// steps that run after translation (field labels aligned to their fields,
// the Firefox rows stacked).
#include <vector>

#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

namespace custom_window {
inline constexpr const char* kClassName = "TForm_Velomar_Custom";
inline constexpr const char* kSection = "Velomar_Custom";
inline constexpr const char* kPanel = "Panel_Main_Back";
inline constexpr const char* kMainPages = "PageControl_Main";
inline constexpr const char* kFirefoxSheet = "TabSheet_Firefox_Main";
inline constexpr const char* kTcpSheet = "TabSheet_TCP_Main";
inline constexpr int kFirefoxPage = 0;
inline constexpr int kTcpPage = 1;
inline constexpr const char* kTcpPages = "PageControl_TCP";
inline constexpr const char* kFirefoxPages = "PageControl_Firefox";
inline constexpr const char* kTcpSelect = "Image_TCP_Select";
inline constexpr const char* kTcpNotSelect = "Image_TCP_NotSelect";
inline constexpr const char* kTcpCaption = "Label_TCP_Settings";
inline constexpr const char* kFirefoxSelect = "Image_Firefox_Select";
inline constexpr const char* kFirefoxNotSelect = "Image_Firefox_NotSelect";
inline constexpr const char* kFirefoxCaption = "Label_Firefox_Settings";
inline constexpr const char* kTcpRecommend = "Button_TCP_Recommend";
inline constexpr const char* kTcpOptimize = "Button_TCP_Optimize";
inline constexpr const char* kFirefoxRecommend = "Button_FF_Recommended";
inline constexpr const char* kFirefoxOptimize = "Button_Firefox_Optimize";
inline constexpr const char* kCheckAll = "CheckBox_CheckAll";
inline constexpr const char* kTimer = "Timer_Show";
inline constexpr const char* kTitle = "Label_Custom_Title";
}  // namespace custom_window

FormLayout CustomLayout();

// The Firefox page: its tab control, the rows of its four tabs, the
// check-all box, its buttons and progress bar (part of CustomLayout).
std::vector<Component> FirefoxPageComponents();

// One tab of the Firefox page and its rows top to bottom: preference boxes
// and the labels that introduce them.
struct FirefoxTabRows {
  const char* sheet;
  std::vector<const char*> chain;
};
const std::vector<FirefoxTabRows>& FirefoxRowChains();

// Each row after the first of a tab goes 5 pixels below the one above it,
// whatever height its translated caption took; the two captions beside
// their boxes follow them. When a tab's rows no longer fit, the tabs and
// the window grow by the overflow, and what stood below them moves down.
void StackFirefoxRows(WindowState& window);

// The labels of the TCP/IP page's fields end 6 pixels before their field,
// whatever width their translated caption took.
void AlignFieldLabels(WindowState& window);

// The caption of the label that names a field of the TCP/IP page, without
// a trailing colon; the field's own name when it has no label.
std::string FieldCaption(const WindowState& window, const std::string& field);

}  // namespace velomar
