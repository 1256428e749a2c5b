#include "support/UiHarness.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "platform/Files.h"
#include "platform/MessageWait.h"
#include "platform/win32/Win32Text.h"
#include "support/TestSupport.h"
#include "win32ui/Control.h"

namespace velomar::uitest {

const ui::Look& TestLook() {
  static const ui::Look look = [] {
    using ui::Picture;
    using ui::Rgba;
    auto inside = [](bool in) { return in ? 1.0 : 0.0; };
    ui::Look l{"Velomar", "Tahoma", "VelomarTestPart", {}};
    l.pictures["Program"] = Picture{1, 100, [=](double x, double y, double w, double h, int) {
                                      const double dx = x - w / 2, dy = y - h / 2, r = std::min(w, h) / 2;
                                      return Rgba{0.1, 0.3, 0.6, inside(dx * dx + dy * dy < r * r)};
                                    }};
    l.pictures["RecoverLink"] = Picture{1, 100, [](double, double, double, double, int) {
                                          return Rgba{0.96, 0.8, 0.55, 1};
                                        }};
    l.pictures["Busy"] = Picture{8, 800, [=](double x, double y, double w, double h, int frame) {
                                   const double angle = frame * 3.14159265358979 / 4;
                                   const double dx = x - w / 2 * (1 + 0.6 * std::cos(angle));
                                   const double dy = y - h / 2 * (1 + 0.6 * std::sin(angle));
                                   return Rgba{0.2, 0.4, 0.8, inside(dx * dx + dy * dy < w * h / 25)};
                                 }};
    return l;
  }();
  return look;
}

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    platform::ProcessPendingMessages();
    if (done()) return true;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
  }
}

void Settle(std::chrono::milliseconds period) {
  RunUntil([] { return false; }, period);
}

void ClickButton(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }

void ClickAt(HWND control, int x, int y) {
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void MouseEnter(HWND control) { SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)); }
void MouseLeave(HWND control) { SendMessageA(control, WM_MOUSELEAVE, 0, 0); }

void Type(HWND edit, const std::string& text) {
  SetFocus(edit);
  for (wchar_t c : platform::Utf8ToWide(text)) SendMessageW(edit, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT virtualKey, int times) {
  SetFocus(control);
  for (int i = 0; i < times; ++i) {
    SendMessageA(control, WM_KEYDOWN, virtualKey, 1);
    SendMessageA(control, WM_KEYUP, virtualKey, 0xC0000001);
  }
}

void ChooseItem(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

HWND ControlAt(HWND window, int clientX, int clientY) {
  POINT at{clientX, clientY};
  ClientToScreen(window, &at);
  return WindowFromPoint(at);
}

MessageBoxRecorder::MessageBoxRecorder() {
  ui::SetMessageBoxHook([this](const ui::MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (onBox) onBox();
    return IDOK;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { ui::SetMessageBoxHook(nullptr); }

namespace {

RealMessageBoxes* g_realBoxes = nullptr;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (IsWindowVisible(window) && std::wstring(className) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The box's text: the longest of its static controls (the icon has none).
BOOL CALLBACK ReadMessageText(HWND child, LPARAM text) {
  wchar_t className[16] = {};
  GetClassNameW(child, className, 16);
  auto& longest = *reinterpret_cast<std::string*>(text);
  if (std::wstring(className) == L"Static") {
    const std::string mine = ui::WindowText(child);
    if (mine.size() > longest.size()) longest = mine;
  }
  return TRUE;
}

}  // namespace

RealMessageBoxes::RealMessageBoxes(std::string name)
    : name_(std::move(name)), replacedHook_(ui::SetMessageBoxHook(nullptr)) {
  g_realBoxes = this;
  timer_ = SetTimer(nullptr, 0, 100, &RealMessageBoxes::Look);
}

RealMessageBoxes::~RealMessageBoxes() {
  KillTimer(nullptr, timer_);
  g_realBoxes = nullptr;
  ui::SetMessageBoxHook(std::move(replacedHook_));
}

void CALLBACK RealMessageBoxes::Look(HWND, UINT, UINT_PTR, DWORD) {
  RealMessageBoxes* self = g_realBoxes;
  // Saving a screenshot handles messages, this timer's among them.
  if (!self || self->looking_) return;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  self->looking_ = true;
  std::string text;
  EnumChildWindows(box, ReadMessageText, reinterpret_cast<LPARAM>(&text));
  self->texts_.push_back(text);
  const std::string name =
      self->texts_.size() == 1 ? self->name_ : self->name_ + "_" + std::to_string(self->texts_.size());
  std::string error;
  if (!SaveScreenshot(box, name, error)) self->errors_.push_back(error);
  SendMessageW(box, WM_COMMAND, IDOK, 0);
  self->looking_ = false;
}

namespace {
SaveDialogAnswer* g_saveAnswer = nullptr;
}  // namespace

SaveDialogAnswer::SaveDialogAnswer(std::string name, std::string path)
    : name_(std::move(name)), path_(std::move(path)) {
  g_saveAnswer = this;
  timer_ = SetTimer(nullptr, 0, 100, &SaveDialogAnswer::Look);
}

SaveDialogAnswer::~SaveDialogAnswer() {
  KillTimer(nullptr, timer_);
  g_saveAnswer = nullptr;
}

void CALLBACK SaveDialogAnswer::Look(HWND, UINT, UINT_PTR, DWORD) {
  SaveDialogAnswer* self = g_saveAnswer;
  if (!self || self->answered_) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  self->answered_ = true;
  SaveScreenshot(dialog, self->name_, self->error_);
  if (self->path_.empty()) {
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  // The file name field of either kind of dialog: the Explorer kind's
  // combo box, the old kind's edit box.
  const std::wstring path = platform::Utf8ToWide(self->path_);
  for (const int field : {0x047c, 0x0480})
    SendMessageW(dialog, CDM_SETCONTROLTEXT, field, reinterpret_cast<LPARAM>(path.c_str()));
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static std::uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    ready = true;
  }
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  PutBigEndian(png, static_cast<std::uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  PutBigEndian(png, Crc32(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()));
}

// An RGB PNG whose image data is zlib "stored" blocks: no compressor needed.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // filter: none
    raw.append(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(y) * width * 3]),
               static_cast<std::size_t>(width) * 3);
  }
  std::string z = "\x78\x01";
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + length >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(length & 0xFF));
    z.push_back(static_cast<char>(length >> 8));
    z.push_back(static_cast<char>(~length & 0xFF));
    z.push_back(static_cast<char>((~length >> 8) & 0xFF));
    z.append(raw, at, length);
    if (last) break;
  }
  PutBigEndian(z, (b << 16) | a);

  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace

std::string ScreenshotFolder() {
  std::string path = std::string("Z:") + VELOMAR_SCREENSHOT_DIR;
  for (auto& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool SaveScreenshot(HWND window, const std::string& name, std::string& error) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Settle(std::chrono::milliseconds(200));
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) {
    error = "the window has no size";
    return false;
  }
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  const auto* pixel = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    rgb[i * 3] = pixel[i * 4 + 2];
    rgb[i * 3 + 1] = pixel[i * 4 + 1];
    rgb[i * 3 + 2] = pixel[i * 4];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  const std::string folder = ScreenshotFolder();
  platform::CreateDirectoryTree(folder);
  return platform::ReplaceFileContents(platform::JoinPath(folder, name + ".png"), EncodePng(width, height, rgb), error);
}

bool ImportRegistry(const std::string& relative) {
  std::string command = "regedit.exe /S \"" + test::DataFile(relative) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code == 0;
}

}  // namespace velomar::uitest
