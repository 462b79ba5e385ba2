// ErrorHandle: the checks of the Calculate command.
//
// They say what they refuse or warn about; the Calculate command shows it. A
// refusal is a message with the critical icon and the field at fault, a
// warning one with the exclamation icon.
#pragma once

#include <optional>
#include <vector>

#include "engine/gearmain.h"

namespace involvo::ErrorHandle {

// What a check found, in the order the screen shows it. A refusal, when there
// is one, is the last notice.
struct CheckResult {
    std::vector<gearmain::Notice> notices;
    bool refused = false;
};

// The entries, in a fixed order: the first one missing or out of range is
// refused; nothing when the entries are accepted.
std::optional<gearmain::Notice> ValidateInputs(const gearmain::GearMain& gear);

// After a calculation: the number of teeth spanned against the contact
// diameters of the span, and a warning when the face width is too narrow for
// the span of a helical gear.
CheckResult CheckSpanLimits(gearmain::GearMain& gear);

}  // namespace involvo::ErrorHandle
