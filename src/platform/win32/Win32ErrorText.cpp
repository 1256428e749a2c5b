#include "platform/win32/Win32ErrorText.h"

#include "platform/win32/Win32Text.h"

namespace velomar::platform {

std::string Win32ErrorText(DWORD code) {
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text / sizeof text[0], nullptr);
  std::string reason = WideToUtf8(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason.empty() ? "error " + std::to_string(code) : reason;
}

}  // namespace velomar::platform
