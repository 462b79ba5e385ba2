// Checking a part: the readings taken on a gear against the limits of its last
// calculation, the tooth thickness (or space width) each reading implies, and
// the verdict.
//
// The measured quantity is the one the calculation is about: the dimension over
// or between pins or balls in the pins mode, the span in the span mode, and the
// entered dimension or span in the thickness mode. A band "a / b" gives the
// limits; a single value gives none, and then each reading is set against the
// nominal thickness instead of being judged.
//
// Every value is judged as the pages write it, with the mask "0.000000": a
// reading, a limit, a thickness and every difference are rounded to six
// decimals first, and a reading that reads the same as a limit is within it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gearmain.h"

namespace gearmain {

// What the readings are readings of.
enum class Measured { Pins, Span };

// A reading against the limits. Unjudged: there are no limits (a single value).
enum class ReadingStatus { Within, Over, Under, NoThickness, Unjudged };
// "within", "over", "under", "no thickness"; "" for Unjudged.
const char* StatusText(ReadingStatus status);

// Accept when every reading is within the limits, reject otherwise; None without
// limits or without readings.
enum class Verdict { None, Accept, Reject };
// "accept", "reject"; "" for None.
const char* VerdictText(Verdict verdict);

// Two ends of a band, the smaller first, each written with the mask.
struct Band {
    std::string low, high;
    bool operator==(const Band&) const = default;
};

struct ReadingCheck {
    std::string reading;                    // the reading written with the mask
    std::optional<std::string> thickness;   // what it implies; nothing when no thickness fits
    std::string beyond;                     // with limits: how far outside them ("0.000000" within); else ""
    std::optional<std::string> difference;  // without limits: thickness minus the nominal thickness
    ReadingStatus status = ReadingStatus::Unjudged;
};

struct Inspection {
    Measured measured = Measured::Pins;
    bool internal = false;                 // readings imply space widths, not tooth thicknesses
    // The caption of the measured row as the spur gear page writes it ("Dimension
    // Over Pins", "Dimension Between Pins", "Span Meas. Over (3) Teeth"). The
    // helical page speaks of balls in places: a caller that holds page 1's rows
    // puts the caption of the page's measured row here.
    std::string measuredCaption;
    std::string thicknessCaption;          // "Circular Tooth Thickness" or "Circular Space Width"
    std::optional<Band> limits;            // of the measured quantity
    std::optional<Band> thicknessLimits;   // the matching thickness or space width band
    std::string nominal, thicknessNominal; // a single value: the measured one and its thickness
    std::vector<ReadingCheck> readings;    // in the order taken
    std::string spread;                    // largest minus smallest reading; "" without readings
    Verdict verdict = Verdict::None;

    bool HasLimits() const { return limits.has_value(); }
    // How many readings are out of the limits (no thickness counts as out).
    size_t OutOfLimits() const;
};

// Checks readings against the gear of the last calculation. The gear state is
// only read: the thickness of each reading is worked out by the program's own
// ThicknessFromMeasurement or ThicknessFromSpan on a copy of it, silently.
// enteredValue is the text of the feature value field as the screen shows it
// (e.g. "2.633900 / 2.637100"); in the thickness mode it gives the limits
// exactly as typed. Without it they are written from the stored values.
Inspection InspectPart(const GearMain& gear, const std::vector<double>& readings,
                       std::string_view enteredValue = {});

// ---- Readings as typed ----

// The number a reading's text holds: a plain decimal number (optional sign,
// digits, at most one point), blanks at its ends aside; nothing for anything
// else.
std::optional<double> ReadingValue(std::string_view text);

// A list of readings as the command line and a part file give it: numbers
// separated by blanks and/or commas ("2.6341 2.6339", "2.6341,2.6339").
struct ReadingList {
    std::vector<double> values;
    std::vector<std::string> texts;  // each reading as written in the list
    std::string error;  // why the list is refused; "" when it is good
    bool ok() const { return error.empty(); }
};
ReadingList ParseReadings(std::string_view text);

}  // namespace gearmain
