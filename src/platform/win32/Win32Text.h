#pragma once
// The boundary between the program's UTF-8 texts and the UTF-16 of the
// wide-character Win32 functions.
#include <string>
#include <string_view>

namespace velomar::platform {

// A sequence that is not UTF-8 becomes U+FFFD (Windows XP drops it).
std::wstring Utf8ToWide(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace velomar::platform
