#pragma once
// Every text the windows show that no control holds, with its key in the
// language file (read from the section of the window that shows it) and
// its English text. The keys name the labels that held these texts in the
// program's first design, so that the language files stay as they are.
#include "lang/MessageCatalogue.h"

namespace velomar {

// What a pass or a restore that could not do all it should has to tell; the
// main, automatic and custom windows each have these in their sections, and
// the recover window speaks in the custom window's words.
namespace outcome_text {
// "%d" stands for the number of values.
inline constexpr Message kNotChanged{
    "Label_Not_Changed.Caption",
    "Velomar could not change %d of your settings; it must be run by an administrator to change them:"};
inline constexpr Message kFirefoxRunning{
    "Label_Firefox_Running.Caption",
    "Firefox is running with these profiles, so they were left as they are. Close Firefox and try again:"};
inline constexpr Message kProfilesMissing{
    "Label_Firefox_Profiles_Missing.Caption",
    "These Firefox profiles could not be restored, because their folders are missing:"};
inline constexpr Message kFileProblems{"Label_Restore_Problems.Caption", "These files could not be read or written:"};
inline constexpr Message kBackupFailed{
    "Label_Backup_Failed.Caption",
    "The backup of your TCP/IP settings could not be written, so none of them was changed. Start Velomar from a "
    "folder you may write to. The backup should have gone here:"};
inline constexpr Message kBackupMovedAside{
    "Label_Backup_Moved_Aside.Caption",
    "The earlier backup of your TCP/IP settings could not be read. It was kept under another name, and a new backup "
    "was started:"};
inline constexpr Message kBackupInvalid{"Label_Backup_Invalid.Caption",
                                        "The backup of your TCP/IP settings is damaged, so none of them was put back:"};
inline constexpr Message kSaveFailed{"Label_Save_Failed.Caption",
                                     "The chosen speed could not be remembered for the next start:"};
inline constexpr Message kNoDataFolder{"Label_No_Data_Folder.Caption",
                                       "The application-data folder of this user is unknown."};
inline constexpr Message kRecoverFinished{"Label_Recover_Finish.Caption", "Recover finish!"};
}  // namespace outcome_text

// After a Firefox pass, for each profile whose Firefox tells its version:
// how many of the preferences written it no longer reads ("%d": the
// version, the number not read, the number written), or that it reads
// them all ("%d": the version, the number written). The automatic and the
// custom window have these.
namespace firefox_text {
inline constexpr Message kNotRead{"Message_Firefox_Not_Read", "Firefox %d no longer reads %d of these %d preferences:"};
inline constexpr Message kAllRead{"Message_Firefox_All_Read", "Firefox %d reads all %d of these preferences."};
}  // namespace firefox_text

// The undo file for regedit (the automatic window; the recover window, in
// the custom window's words).
namespace undo_file_text {
// The recover window's button (which the custom window's messages name; the
// automatic window's is its own control).
inline constexpr Message kOfferLong{"Message_Undo_File_Offer_Long", "Save an undo file for regedit..."};
inline constexpr Message kOfferHint{
    "Message_Undo_File_Offer_Hint",
    "Save a file with which Windows' regedit puts back your settings from before Velomar first changed them"};
inline constexpr Message kTitle{"Message_Undo_File_Title", "Save the undo file for regedit"};
inline constexpr Message kFileKind{"Message_Undo_File_Kind", "Registration files"};
inline constexpr Message kSaved{"Message_Undo_File_Saved",
                                "The undo file has been saved. Windows' regedit puts back your TCP/IP settings from "
                                "it, even without Velomar (double-click it, or run regedit /s with its name):"};
inline constexpr Message kKeysLeft{"Message_Undo_File_Keys_Left",
                                   "It cannot remove these keys, which Velomar created; they stay, empty:"};
inline constexpr Message kFailed{"Message_Undo_File_Failed", "The undo file could not be saved:"};
inline constexpr Message kNothingToUndo{"Message_Undo_File_Nothing",
                                        "There is nothing to undo yet: no backup of your TCP/IP settings was found."};
}  // namespace undo_file_text

// The reset to the defaults, done (the main and custom windows).
inline constexpr Message kDefaultsRestored{"Label_Restore_Finish.Caption", "The default settings have been restored."};

namespace main_text {
inline constexpr Message kNothingToOptimize{
    "Label_Show_1.Caption",
    "Firefox was not found, and this version of Windows needs no TCP/IP tuning: there is nothing to optimize."};
}  // namespace main_text

namespace auto_text {
inline constexpr Message kDefaultsRestored{"Label_Restore_Finish.Caption",
                                           "Your settings have been reset to the defaults."};
// The group box caption: these words, then the class under the slider.
inline constexpr Message kSpeedName{"Label_GroupBoxSpeed_Name.Caption", "Connection speed"};
inline constexpr Message kOptimize{"Label_Btn_Optimize_Caption.Caption", "Optimize"};
inline constexpr Message kClose{"Label_Btn_Close_Caption.Caption", "Close"};
// The status line: not optimised, or "Your" + class + "connection has been optimized."
inline constexpr Message kNotOptimized{"Label_None_Optimize.Caption", "Your connection has not been optimized yet."};
inline constexpr Message kBandOf{"Label_Band_of.Caption", "Your"};
inline constexpr Message kHasBeenOptimized{"Label_has_been_optimized.Caption", "connection has been optimized."};
inline constexpr Message kNotFullyOptimized{"Label_Not_Fully_Optimized.Caption", "Not all settings could be changed."};
inline constexpr Message kSettingsRestored{"Label_Settings_Restored.Caption", "Your earlier settings are back."};
inline constexpr Message kNotFullyRestored{"Label_Not_Fully_Restored.Caption", "Not all settings could be put back."};
inline constexpr Message kAnalysing{"Label_Analysing_net_settings.Caption",
                                    "Measuring your connection, this may take a few seconds ..."};
// After a preview: the status line, and the notice of what Optimize does.
inline constexpr Message kPreviewStatus{"Message_Preview_Status", "Preview: nothing changed yet."};
inline constexpr Message kPreviewNotice{"Message_Preview_Notice", "Press Optimize to apply these values."};
// The notice of the restart the changes wait for.
inline constexpr Message kRestartWindows{"Label_Restart_Windows.Caption",
                                         "The changes take effect when you restart Windows."};
inline constexpr Message kRestartFirefox{"Label_Restart_Firefox.Caption",
                                         "The changes take effect when you restart Firefox."};
}  // namespace auto_text

namespace custom_text {
// The group box caption: these words, then the class under the slider.
inline constexpr Message kYourChoice{"Label_Current_Your_Choice.Caption", "Your choice"};
inline constexpr Message kTcpDone{"Label_Tcp_O_F.Caption",
                                  "The TCP/IP settings have been optimized. Restart your computer to use them."};
inline constexpr Message kFirefoxDone{"Label_Firefox_O_F.Caption",
                                      "The Firefox settings have been optimized. Restart Firefox to use them."};
// The choices of the TCP/IP page's option boxes.
inline constexpr Message kDefault{"Label_Default.Caption", "Default"};
inline constexpr Message kYes{"Label_Yes.Caption", "Yes"};
inline constexpr Message kNo{"Label_No.Caption", "No"};
// "%s" stands for the field's caption.
inline constexpr Message kNotANumber{"Label_Not_A_Number.Caption",
                                     "Please enter a whole number in the field \"%s\". Nothing has been changed."};
}  // namespace custom_text

}  // namespace velomar
