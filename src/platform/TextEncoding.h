#pragma once
// Every text inside the program is UTF-8. Files written by other programs
// may hold text in the system's ANSI code page instead (the language files,
// written for Windows-1252); these read them into UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

namespace velomar::platform {

// Well-formed UTF-8: no overlong forms, surrogates or code points above
// U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Appends a code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t codePoint);
// Text in the system's ANSI code page as UTF-8 (Windows: CP_ACP; elsewhere
// Windows-1252, the code page of the program's own language files).
std::string AnsiToUtf8(std::string_view text);
// Text that is UTF-8 where it is valid UTF-8 and ANSI otherwise, as UTF-8:
// each line is read on its own, so that a line written by another editor
// does not change how the others read.
std::string Utf8OrAnsiToUtf8(std::string_view text);
// Windows-1252 as UTF-8; the five bytes it leaves undefined stand for the
// control characters of the same number, as Windows reads them.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace velomar::platform
