#include "shell/help.h"

#include <exception>


namespace involvo {

namespace {

constexpr std::size_t kValueBuffer = 1024;

// What the contents command says when the platform has no help viewer at all.
constexpr const char* kNoHelpViewer = "No help viewer is available.";

}  // namespace

std::string HelpFilePath(DesktopPort& desktop) {
    const std::string sep = desktop.PathSeparator();
    return desktop.ProgramFolder() + sep + "IVOHELP" + sep + "IVOevalHelp.HLP";
}

void SetHelpFile(Platform& platform) {
    DesktopPort* desktop = platform.Desktop();
    if (!desktop) return;
    try {
        desktop->SetHelpFile(HelpFilePath(*desktop));
    } catch (const std::exception&) {
        // The help file is set again, and any fault reported, by the contents command.
    }
}

std::string HelpFault(const std::string& path, const std::string& description) {
    if (path.empty()) return description;
    return "The help file " + path + " cannot be shown:\r" + description;
}

void ShowHelpContents(Platform& platform, View& owner) {
    std::string error;
    if (DesktopPort* desktop = platform.Desktop()) {
        std::string path;
        try {
            path = HelpFilePath(*desktop);
            desktop->SetHelpFile(path);
            error = desktop->ShowHelpContents(FormId::FrmMain, path);
        } catch (const std::exception& e) {
            error = e.what();
            if (error.empty()) error = kNoHelpViewer;
        }
        // The user can only put right what is named: the file looked for.
        if (!error.empty()) error = HelpFault(path, error);
    } else {
        error = kNoHelpViewer;
    }
    if (!error.empty()) owner.MessageBox(error, kMessageTitle, MsgIcon::Critical, MsgButtons::OK);
}

const std::vector<std::string>& DesktopSysInfoPrograms() {
    static const std::vector<std::string> programs = {"kinfocenter", "hardinfo2", "hardinfo", "cpu-x", "lshw-gtk"};
    return programs;
}

std::optional<std::string> GetKeyValue(DesktopPort& desktop, const std::string& key, const std::string& valueName) {
    std::optional<std::string> value = desktop.MachineSetting(key, valueName);
    if (!value) return std::nullopt;
    if (value->size() >= kValueBuffer) return std::nullopt;
    if (std::size_t nul = value->find('\0'); nul != std::string::npos) value->resize(nul);
    return value;
}

void StartSysInfo(Platform& platform, View& owner) {
    bool started = false;
    if (DesktopPort* desktop = platform.Desktop()) {
        try {
            std::string path;
            if (std::optional<std::string> tool = GetKeyValue(*desktop, kSysInfoKey, kSysInfoValue)) {
                path = *tool;
            } else if (std::optional<std::string> folder =
                           GetKeyValue(*desktop, kSysInfoFolderKey, kSysInfoFolderValue)) {
                std::string candidate = *folder + desktop->PathSeparator() + kSysInfoProgram;
                if (desktop->FileExists(candidate)) path = candidate;
            }
            // No program named in the settings: the desktop may have one of its own.
            for (const std::string& name : DesktopSysInfoPrograms()) {
                if (!path.empty()) break;
                path = desktop->FindProgram(name);
            }
            started = !path.empty() && desktop->Launch(path);
        } catch (const std::exception&) {
            started = false;
        }
    }
    if (!started) owner.MessageBox(kSysInfoUnavailable, kMessageTitle, MsgIcon::Information, MsgButtons::OK);
}

}  // namespace involvo
