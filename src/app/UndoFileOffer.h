#pragma once
// The undo file for Windows' own regedit, offered where a user looks for
// undo (the recover window; the automatic window after a run): the Save As
// dialog proposes velomar-undo.reg in the user's documents, and the file
// is what `velomar-cli undo-file` writes, from "RegBackUp.bk" and
// "CustomRegBackUp.bk" in the current folder.
#include <string>
#include <vector>

#include "lang/MessageCatalogue.h"
#include "window/WindowState.h"

namespace velomar {

inline constexpr const char* kUndoFileName = "velomar-undo.reg";

// The backups the file puts back, in the current folder.
std::vector<std::string> UndoFileBackups();
// Whether there is a registry backup for the file to put back.
bool HasUndoFileBackup();

// Asks where to save the file, writes it, and says what it does and which
// keys it cannot remove, or why it could not be written. Nothing happens
// when the user cancels.
void OfferUndoFile(WindowState& window, const MessageCatalogue& messages);

}  // namespace velomar
