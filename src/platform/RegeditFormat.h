#pragma once
// The line format of REGEDIT4 files, as Windows' regedit writes and reads
// it: value lines, quoted names and the logical lines of a text (hex data
// continues over a final backslash). MemoryRegistry loads and saves whole
// files with it; the registry backups' undo file writes its value lines.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace velomar::platform {

// One value line of a REGEDIT4 file: "name"=data as Windows' regedit
// reads it, or "name"=- (nothing) to delete the value. No line end.
std::string RegTextValueLine(const std::string& name, const std::optional<RegValue>& value);

// A value's data in regedit's hex notation, whatever its type: hex:... for
// REG_BINARY, hex(N):... for any other (a string with its terminating NUL),
// as regedit writes a value it cannot quote. ParseValueData reads it back.
std::string RegTextHexData(const RegValue& value);

// Reads a quoted string starting at text[pos] == '"'; pos ends after the quote.
bool ParseQuoted(const std::string& text, std::size_t& pos, std::string& out);

// The data after "name"=: a value, or "-" (deleteValue set).
bool ParseValueData(const std::string& data, RegValue& value, bool& deleteValue);

// The physical lines of a .reg text joined where hex data continues, each
// with the number of the line it began on.
std::vector<std::pair<int, std::string>> LogicalLines(const std::string& text);

}  // namespace velomar::platform
