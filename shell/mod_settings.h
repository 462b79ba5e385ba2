// modSettings: each main window remembers where it stood, how large it was and
// whether it was maximised, from one run to the next.
#pragma once

#include <string>
#include <vector>

#include "platform/view.h"
#include "shell/desktop_port.h"

namespace involvo::modSettings {

// The application name of the settings: the program's title.
inline constexpr const char* kApplication = kProgramName;

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
// placement saved before and only records whether it is maximised. A place
// where the title bar cannot be reached is never saved: the window is saved
// where the next start would bring it back to.
void SavePlacement(Platform& platform, FormId form);

// The smallest window a restored size makes: a width or height of nothing (a
// text that was not a number) would leave a window no one can see or grab.
inline constexpr double kSmallestSideTwips = 1440;

// The least length of a title bar that must lie on a screen for the user to
// grab it: half an inch.
inline constexpr double kGripTwips = 720;

// Whether the user can reach a window's title bar: on some screen it lies
// within the screen's height, over at least kGripTwips (or its whole length,
// when it is shorter). `rect` is the frame's top-left with the window's size
// inside the frame; `frame` adds the title bar and the borders.
bool TitleBarReachable(const TwipsRect& rect, const FrameMargins& frame, const std::vector<TwipsRect>& screens);

// Brings a placement back where the user can reach it: a window whose title bar
// is not on a screen (above or below it, off to the side, on a screen that is
// gone) moves, frame and all, onto the screen it overlaps most, or the nearest
// one when it overlaps none, keeping its size where it fits (a sizable window
// too large for that screen shrinks to it). A sizable window is never smaller
// than kSmallestSideTwips a side nor larger, with its frame, than all the
// screens together. Without any screen the rectangle is only kept to finite
// sizes.
TwipsRect KeepReachable(TwipsRect rect, bool sizable, const FrameMargins& frame,
                        const std::vector<TwipsRect>& screens);

}  // namespace involvo::modSettings
