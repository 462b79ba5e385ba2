// One gear through the input screen's road, without a window: its options typed
// into the fields of the input screen's core in the order the tool documents,
// Calculate pressed, and the contents of the result pages it opens built as
// the pages build them (result_pages/page_builders.h).
#pragma once

#include <string>
#include <vector>

#include "cli/gear_options.h"
#include "cli/measuring.h"
#include "cli/screen_typist.h"
#include "engine/gearmain.h"
#include "engine/inspection.h"
#include "input_screen/entry_texts.h"
#include "input_screen/screen_core.h"
#include "printing/gear_sheet.h"
#include "result_pages/page_builders.h"
#include "result_pages/page_content.h"

namespace involvo::cli {

// What the tool writes of one gear.
struct GearRun {
    bool ok = false;
    // Every message the input screen and the pages showed, in order.
    std::vector<gearmain::Notice> messages;
    // The contents of the result pages shown, in the order they were shown
    // (page 1, page 2, and the tolerances when a quality number was chosen);
    // the outputs write their visible rows.
    std::vector<PageContent> pages;
    // The number of teeth that the span row is measured over.
    float teethSpanned = 0;
    // The gear state after the run, by name: numbers written as numbers.
    std::vector<std::pair<std::string, std::string>> stateNumbers, stateTexts;
    std::string error;  // the refusal or failure when not ok
    // The gear data sheet as printed, one text per line (--sheet), and why the
    // PDF file of --pdf could not be written.
    std::vector<std::string> sheet;
    std::string sheetError;
    // The readings checked against the calculation's limits, when readings
    // were given; the measuring aids, when asked for.
    std::optional<gearmain::Inspection> inspection;
    std::optional<Measuring> measuring;
    // The part number of the check (of --part-number or of the part file).
    std::string partNumber;
};

// The gear state into the run, by name, as --json writes it: each number as
// the shortest text that reads back to it.
void WriteState(gearmain::GearMain& gear, GearRun& run);

// The gear entry of the tool. One entry runs gear after gear, each on a fresh
// screen, reusing its room: a batch keeps one per thread.
class GearEntry {
public:
    GearEntry();
    GearEntry(const GearEntry&) = delete;
    GearEntry& operator=(const GearEntry&) = delete;

    // Enters the gear on a fresh screen and calculates it: the order of entry
    // is gear type, mode, depth system, feature, teeth, pitch, pressure angle,
    // helix, O.D. change, face width, quality, cutter depth, value, pin; without
    // a value the Basic hint is clicked last, so the value is the basic one the
    // screen offers for the gear as finally entered. Fills the run's ok, error,
    // messages, pages and teeth spanned.
    void Run(const GearOptions& options, GearRun& run);

    // After a run that opened the pages: what page 1's print button prints
    // (page 1 and the contents it gave page 2 and the tolerances).
    SheetContents PageOneSheet() const;

    // After a run that opened the pages: the readings checked against the
    // limits of the calculation (its band of the measured quantity), each
    // with the thickness it implies; the measured row named as page 1 names it.
    gearmain::Inspection Inspect(const std::vector<double>& readings, const GearRun& run) const;
    // After such a run: the pins and spans that work, the chordal addendum and,
    // when asked, the picture of the pin in its tooth space.
    // Balls or pins as page 1 names its pin row (the window's measuring aids
    // say the same).
    Measuring Measure(bool picture, const GearRun& run) const;

    // A batch writes the result columns only: the pages are then built
    // without the values of page 1's rows 1 to 4 (the basic data as typed),
    // captions and titles.
    void SetPageDetail(PageDetail detail) { detail_ = detail; }

    // The gears entered at once (EnterAtOnce) since the entry was made.
    size_t EnteredAtOnce() const { return enteredAtOnce_; }

    gearmain::GearMain& gear() { return gear_; }
    const EntryTexts& texts() const { return texts_; }

private:
    void Reset();
    // Enters the gear field by field as a user's hands would.
    // False when an entry ends the gear before Calculate (run.error says why).
    bool EnterByHand(const GearOptions& options, GearRun& run, FirstPage& first);
    // The same entry with one hint update instead of one for each field left,
    // for the gears where that gives the same: an external gear in the pins
    // mode with its tooth thickness typed, every key of every entry taken by
    // its field. False (and the screen as it was) for any other gear, or when
    // a hint could not be computed: the entry by hand then decides.
    bool EnterAtOnce(const GearOptions& options, FirstPage& first);

    gearmain::GearMain gear_;
    HintMemory memory_;
    EntryTexts texts_;
    ScreenCore core_;
    ScreenTypist typist_;
    // The screen as it opens, copied in before each gear.
    gearmain::GearMain openingGear_;
    HintMemory openingMemory_;
    EntryTexts openingTexts_;
    void PrepareUntypedLeaves();
    // The fields whose leaving without a text typed changes the fresh screen,
    // and the fresh screen with each set of them left (bit i for field i).
    struct Screen {
        gearmain::GearMain gear;
        EntryTexts texts;
    };
    std::vector<gearmain::Field> changingLeaves_;
    std::vector<Screen> leftOpenings_;
    std::vector<gearmain::Field> typedFields_;
    size_t enteredAtOnce_ = 0;
    PageKind kind_ = PageKind::Spur;
    PageDetail detail_ = PageDetail::All;
};

}  // namespace involvo::cli
