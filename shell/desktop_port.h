// What the application shell needs of the desktop beyond single windows: where
// the windows stand, the screens, the help viewer, the machine-wide settings and
// starting other programs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/view.h"

namespace involvo {

// Positions and sizes are in twips, 1440 to the inch at the screen's logical
// resolution (15 twips a pixel at 96 dots per inch).
struct TwipsRect {
    double left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// The frame the window manager puts around a window: the title bar above it,
// the borders beside and below it (twips).
struct FrameMargins {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const FrameMargins&) const = default;
};

// Where a window stands. The position is that of its frame, the size that of
// the window without the frame, as the window is moved and resized.
struct WindowPlacement {
    TwipsRect rect;  // the normal (not maximised) placement
    FrameMargins frame;  // as the window manager draws it, or as it will
    bool maximized = false;
    bool minimized = false;
    bool sizable = true;  // the user can change the size (a fixed border cannot)
};

class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // ---- The windows of the forms ----
    // The placement of a loaded form's window; nothing when it has none.
    virtual std::optional<WindowPlacement> Placement(FormId form) = 0;
    // Moves and resizes the window (a fixed window keeps its size whatever the
    // rectangle says).
    virtual void MoveWindow(FormId form, const TwipsRect& rect) = 0;
    virtual void MaximizeWindow(FormId form) = 0;
    // The usable areas (without panels and docks) of the screens attached now.
    virtual std::vector<TwipsRect> Screens() = 0;

    // ---- Files and programs ----
    // The folder of the program's executable, without a separator at the end.
    virtual std::string ProgramFolder() = 0;
    // The separator of the platform's paths ("/" or "\").
    virtual std::string PathSeparator() = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The full path of a program found on the search path, or "".
    virtual std::string FindProgram(const std::string& name) = 0;
    // Starts a program in a normal window; false when it could not be started.
    virtual bool Launch(const std::string& path) = 0;

    // ---- Help ----
    // Makes the file the application's help file.
    virtual void SetHelpFile(const std::string& path) = 0;
    // Shows the contents of the help file for the window of `owner`. Returns the
    // platform's description of what went wrong, or "" when the help is shown.
    virtual std::string ShowHelpContents(FormId owner, const std::string& path) = 0;

    // ---- The machine-wide settings store ----
    // The text value `valueName` under `key`; nothing when the key or the value
    // is not there or cannot be read.
    virtual std::optional<std::string> MachineSetting(const std::string& key, const std::string& valueName) = 0;
};

}  // namespace involvo
