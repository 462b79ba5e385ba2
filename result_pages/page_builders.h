// The contents of the result pages, built from the gear state and the input
// screen's field texts: pure functions, the same for the windows, the printed
// sheet and involvo-cli.
//
// Showing page 1 also writes a little into the gear state (WritePageOneState)
// and may advise about balls (HelicalAdvice); whoever builds page 1 calls those
// first, as the page does.
#pragma once

#include <string_view>
#include <vector>

#include "engine/gearmain.h"
#include "engine/notice.h"
#include "input_screen/entry_texts.h"
#include "printing/gear_sheet.h"
#include "result_pages/page_content.h"

namespace involvo {

// The pages of a gear: the helical ones for a helix angle above 0.
PageKind PageKindOf(const gearmain::GearMain& gear);

// The row of a page that shows a quantity; none when no row shown holds it.
const PageRow* RowOf(const PageContent& page, Quantity quantity);

// Whether a page 1 measures over balls (an odd or internal helical gear): its
// pin row names a ball.
bool MeasuredOverBalls(const PageContent& page);

// What showing page 1 writes into the gear state: a gear type of 0 is taken as
// external; the helical page builds its three transverse texts (TransThickText,
// TransChordalText, TransBacklashText); an internal gear's inside diameter is
// copied into OutsideDiameter, so the diameter row of page 2 shows it.
void WritePageOneState(gearmain::GearMain& gear, PageKind kind);

// The helical page's advice about balls, once after each run of the input
// screen's hints: an odd-tooth external gear, an internal gear. Clears
// HintsChanged, so returning to the page does not repeat it.
std::vector<gearmain::Notice> HelicalAdvice(gearmain::GearMain& gear);

// Page 1, the measurement data: rows 1 to 4 the typed basic data, rows 5 to 11
// by the input feature, the mode and the gear type, row 12 the K factor (moved
// to row 11, row 12 hidden, for an internal gear unless its feature is the
// contributing backlash). The helical page adds the transverse values.
PageContent MeasurementContent(const gearmain::GearMain& gear, const EntryTexts& texts, PageKind kind);
PageContent MeasurementContent(const gearmain::GearMain& gear, const EntryTexts& texts);

// Page 2, the gear dimensions; the helical page adds the transverse circular
// and base pitch beside rows 3 and 4.
PageContent DimensionsContent(const gearmain::GearMain& gear, const EntryTexts& texts, PageKind kind);
PageContent DimensionsContent(const gearmain::GearMain& gear, const EntryTexts& texts);

// The AGMA tolerances, each written with the mask given ("0.00000" on the page
// itself, "0.000000" when a helical page 1 fills them ahead of time).
PageContent ToleranceContent(const gearmain::GearMain& gear, std::string_view mask);

// How much of a page a builder writes: everything, or what a batch reads,
// the rows' quantities, visibility and values, without the values of page 1's
// rows 1 to 4 (the basic data as typed), captions or titles.
enum class PageDetail { All, ResultRows };

// The same contents written into contents that may hold an earlier page: the
// room of their texts is reused (a batch builds page after page).
void BuildMeasurementContent(PageContent& page, const gearmain::GearMain& gear, const EntryTexts& texts,
                             PageKind kind, PageDetail detail = PageDetail::All);
void BuildDimensionsContent(PageContent& page, const gearmain::GearMain& gear, const EntryTexts& texts,
                            PageKind kind, PageDetail detail = PageDetail::All);
void BuildToleranceContent(PageContent& page, const gearmain::GearMain& gear, std::string_view mask);

// Page 1 and the contents it gives page 2 and the tolerance page ahead of time:
// what page 1's print button prints.
SheetContents PageOneContents(const gearmain::GearMain& gear, const EntryTexts& texts, PageKind kind);

// The title line of the pages: "External Gear Data", "Internal Helical Gear
// Data", followed for an enlarged or reduced gear by two blanks and, in
// parentheses, the O.D. change as typed and what it does.
std::string PageTitle(const gearmain::GearMain& gear, const std::string& odChangeText, PageKind kind);

}  // namespace involvo
