#include "platform/TextEncoding.h"

namespace velomar::platform {

// The program's language files are written for Windows-1252.
std::string AnsiToUtf8(std::string_view text) { return Windows1252ToUtf8(text); }

}  // namespace velomar::platform
