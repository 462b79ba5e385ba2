// ErrorHandle: the checks of the Calculate command.
//
// Each refusal is a message box titled "Involvo" on the input screen (through
// the gear state's MainForm) followed by moving the focus to the field at
// fault; the result is 1 then, and 0 when the entries are accepted.
#pragma once

#include <cstdint>

#include "engine/gearmain.h"

namespace involvo::ErrorHandle {

// The entries, in a fixed order: the first one missing or out of range is
// refused.
int16_t ValidateInputs(gearmain::GearMain& gear);

// After a calculation: the number of teeth spanned against the contact
// diameters of the span, and a warning when the face width is too narrow for
// the span of a helical gear.
int16_t CheckSpanLimits(gearmain::GearMain& gear);

}  // namespace involvo::ErrorHandle
