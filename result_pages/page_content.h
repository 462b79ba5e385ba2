// What a result page shows, as a value: its caption, its title and its rows,
// each a caption, a value text, a transverse text and whether it is shown.
//
// The builders (result_pages/page_builders.h) make it from the gear state and
// the input screen's field texts; the pages display it, the gear data sheet
// prints it, involvo-cli writes it as a table, JSON or a CSV row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/view.h"

namespace involvo {

// What a row is, whatever its caption says: "Dimension Over Balls" and
// "Dimension Between Pins" are both a Measurement.
enum class Quantity : uint8_t {
    None,  // a row that shows nothing
    NumberOfTeeth,
    DiametralPitch,
    PressureAngle,
    HelixAngle,
    ToothThickness,  // circular tooth thickness or circular space width
    Measurement,     // dimension over or between pins or balls
    PinDiameter,     // pin or ball diameter
    PinContactDiameter,
    RadialDimension,   // over one pin or ball
    ChordalThickness,  // chordal tooth thickness or chordal space width
    Span,
    Backlash,
    KFactor,
    BaseDiameter,
    PitchDiameter,
    CircularPitch,
    BasePitch,
    OutsideOrInsideDiameter,
    RootDiameter,
    FinishedRootDiameter,
    WholeDepth,
    WorkingDepth,
    Addendum,
    Dedendum,
    TipLand,
    Runout,
    PitchVariation,
    Profile,
    Lead,
    ToothToTooth,
    TotalComposite,
};

// One row of a page: Label(i) and Text(i), and on the helical pages the
// transverse value beside it ("" where the row has none).
struct PageRow {
    Quantity quantity = Quantity::None;
    std::string caption, value, transverse;
    bool visible = true;
    bool operator==(const PageRow&) const = default;
};

// The spur pages or the helical ones.
enum class PageKind { Spur, Helical };

struct PageContent {
    FormId form = FormId::FrmOutput1;
    std::string caption;  // the window's caption
    std::string title;    // LabelTitleBlock; the heading AGMAFRM of the tolerance page
    // rows[i] is row i + 1 of the page.
    std::vector<PageRow> rows;
    // Page 2: Next leads on to the tolerances (a quality number was chosen).
    bool next = false;
    // The tolerance page: the note that explains a tolerance of 0.
    bool zeroNote = false;
    bool operator==(const PageContent&) const = default;
};

}  // namespace involvo
