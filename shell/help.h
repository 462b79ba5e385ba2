// Help and system information: the help file of the program, its contents in
// the help viewer, and the system information program started from the about
// box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/view.h"
#include "shell/desktop_port.h"

namespace involvo {

// The program folder followed by IVOHELP and IVOevalHelp.HLP, joined with the
// platform's separator.
std::string HelpFilePath(DesktopPort& desktop);

// Makes the help file the application's help file (when the input screen loads).
void SetHelpFile(Platform& platform);

// The Help menu's Contents: sets the help file again and shows its contents for
// the input screen's window; whatever goes wrong is shown in a message box that
// names the file looked for, with the platform's own description.
void ShowHelpContents(Platform& platform, View& owner);

// The message of a help file that cannot be shown: "The help file <path> cannot
// be shown:", a line break, and the platform's description of the fault (the
// description alone when the path could not be had).
std::string HelpFault(const std::string& path, const std::string& description);

// Where the machine-wide settings name the system information program.
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoFolderValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "MSINFO32.EXE";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// The system information programs of the desktops, looked for on the search
// path when the settings name none.
const std::vector<std::string>& DesktopSysInfoPrograms();

// A text value of the machine-wide settings as a 1024-character buffer holds it:
// cut at its first NUL; a value that does not fit counts as not found.
std::optional<std::string> GetKeyValue(DesktopPort& desktop, const std::string& key, const std::string& valueName);

// The about box's System Info: the program named by the machine-wide settings,
// else a desktop's own, started in a normal window; when there is none (or it
// will not start), "System Information Is Unavailable At This Time".
void StartSysInfo(Platform& platform, View& owner);

}  // namespace involvo
