#pragma once
// The system's sentence for a Windows error code, shared by the Win32
// backends that report failures.
#include <windows.h>

#include <string>

namespace velomar::platform {

// FormatMessage's text in the user's language (UTF-8) without the line end, or
// "error N" when the system has none.
std::string Win32ErrorText(DWORD code);

}  // namespace velomar::platform
