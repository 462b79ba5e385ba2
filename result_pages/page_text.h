// Texts that more than one result page uses: the window captions, the masks of
// typed values, and the common buttons and menus.
#pragma once

#include <string>
#include <string_view>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo::pages {

inline constexpr const char* kPageOneCaption = "Calculated gear data page 1";
inline constexpr const char* kPageTwoCaption = "Calculated gear data page 2";
inline constexpr const char* kTolerancesCaption = "AGMA Tolerances";
inline constexpr const char* kTolerancesHeading = "AGMA 2000-A88 Gear Accuracy Tolerances";
inline constexpr const char* kToleranceCaptions[] = {"Runout Tolerance",        "Pitch Variation Allowable",
                                                     "Profile Tolerance",       "Tooth Alignment (Lead) ",
                                                     "Tooth To Tooth Composite", "Total Composite"};

// A field or result text shown through a mask: a plain number is written with
// the mask, anything else (a pitch fraction, a range of two values, an empty
// field) is shown as it stands.
std::string MaskedText(const std::string& text, std::string_view mask);

// "&File" with "&Print..." and "&Close".
void SetUpFileMenu(View& view, Control menu);
// The print button, a printer picture: on page 1 with the tooltip "Print Gear
// Data" alone; on page 2 and the tolerance page captioned "Print Gear Data" too.
enum class PrintCaption { TipOnly, Captioned };
void SetUpPrintButton(View& view, PrintCaption caption);

// Every page shows or hides a row as a pair: its caption and its value box.
void ShowRow(View& view, int index, bool visible);

}  // namespace involvo::pages
