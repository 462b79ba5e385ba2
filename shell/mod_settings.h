// modSettings: each main window remembers where it stood, how large it was and
// whether it was maximised, from one run to the next.
#pragma once

#include <string>
#include <vector>

#include "platform/view.h"
#include "shell/desktop_port.h"

namespace involvo::modSettings {

// The application name of the settings: the program's title.
inline constexpr const char* kApplication = "Involvo";

// The section of a window's settings: "FrmMain_Settings".
std::string SectionOf(FormId form);

// Which windows take part: the input screen and the result pages restore on
// load and save on unload; the printout options only restore; the splash, the
// about box and the printing notice do neither.
bool RestoresPlacement(FormId form);
bool SavesPlacement(FormId form);

// Restores the saved placement of a loaded window. Every value that cannot be
// read leaves the window's own value; a text that is not a number reads 0.
// Nothing is reported.
void RestorePlacement(Platform& platform, FormId form);
// Saves the placement; a maximised or minimised window keeps the normal
// placement saved before and only records whether it is maximised.
void SavePlacement(Platform& platform, FormId form);

// The smallest window a restored size makes: a width or height of nothing (a
// text that was not a number) would leave a window no one can see or grab.
inline constexpr double kSmallestSideTwips = 1440;

// Brings a restored placement back where the user can reach it: a window
// wholly off every screen attached now moves onto the nearest one, keeping
// its size where it fits (a sizable window too large for that screen shrinks
// to it). A sizable window is never smaller than kSmallestSideTwips a side nor
// larger than all the screens together. Without any screen the rectangle is
// only kept to finite sizes.
TwipsRect KeepReachable(TwipsRect rect, bool sizable, const std::vector<TwipsRect>& screens);

}  // namespace involvo::modSettings
