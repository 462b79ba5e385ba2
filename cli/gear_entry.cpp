#include "cli/gear_entry.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>
#include <variant>


namespace involvo::cli {

using gearmain::Field;
using gearmain::MsgIcon;

GearEntry::GearEntry() : texts_(OpeningTexts()), core_(gear_, memory_, texts_), typist_(gear_, core_, texts_) {
    // The program starts: the constants of the gear state, then the input
    // screen opens with the texts of its fields.
    // No window shows the hints' captions.
    core_.ComposeCaptions(false);
    gear_.StartUp();
    core_.Open();
    gear_.PartNumber.clear();
    openingGear_ = gear_;
    openingTexts_ = texts_;
    PrepareUntypedLeaves();
}

namespace {

std::string Number(auto value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

}  // namespace

void WriteState(gearmain::GearMain& gear, GearRun& run) {
    gear.ForEachValue([&](const char* name, gearmain::GearMain::ValueRef ref) {
        if (auto f = std::get_if<float*>(&ref)) run.stateNumbers.emplace_back(name, Number(**f));
        else if (auto i = std::get_if<int16_t*>(&ref)) run.stateNumbers.emplace_back(name, std::to_string(**i));
        else if (auto d = std::get_if<double*>(&ref)) run.stateNumbers.emplace_back(name, Number(**d));
        else if (auto t = std::get_if<std::string*>(&ref)) run.stateTexts.emplace_back(name, **t);
    });
}

namespace {

// The gear state, to compare two states.
GearRun StateOf(gearmain::GearMain gear) {
    GearRun run;
    WriteState(gear, run);
    return run;
}
bool SameState(const GearRun& a, const GearRun& b) {
    return a.stateNumbers == b.stateNumbers && a.stateTexts == b.stateTexts;
}

// The fields of a plain gear that are not always typed and that its entry
// may leave without typing into them: each then reads only the text it
// opened with.
constexpr Field kUntypedLeaves[] = {Field::PressureAngle, Field::Helix,    Field::Feature,
                                    Field::ODChange,      Field::FaceWidth, Field::Quality};

}  // namespace

// Leaving such a field gives the same state whatever else was typed: what
// most of them leave is the screen as it opened, and the states that the
// others leave (alone or together) are made here, once.
void GearEntry::PrepareUntypedLeaves() {
    const GearRun opening = StateOf(openingGear_);
    auto leaveOne = [&](Field field, gearmain::GearMain& gear, EntryTexts& texts) {
        HintMemory memory = openingMemory_;
        ScreenCore core(gear, memory, texts);
        core.HoldHints(true);
        core.Leave(field);
    };
    changingLeaves_.clear();
    for (Field field : kUntypedLeaves) {
        gearmain::GearMain gear = openingGear_;
        EntryTexts texts = openingTexts_;
        leaveOne(field, gear, texts);
        if (texts == openingTexts_ && SameState(StateOf(gear), opening)) continue;  // changes nothing
        changingLeaves_.push_back(field);
    }
    leftOpenings_.assign(size_t{1} << changingLeaves_.size(), {openingGear_, openingTexts_});
    for (size_t set = 0; set < leftOpenings_.size(); ++set)
        for (size_t i = 0; i < changingLeaves_.size(); ++i)
            if (set & (size_t{1} << i)) leaveOne(changingLeaves_[i], leftOpenings_[set].gear, leftOpenings_[set].texts);
}

void GearEntry::Reset() {
    // Copies reuse the room of the texts.
    gear_ = openingGear_;
    texts_ = openingTexts_;
    memory_ = openingMemory_;
    core_.Reopen();
}

// The entries in the order the tool documents; a cutter depth is asked for
// between the quality and the value.
constexpr std::pair<Option, Field> kEntries[] = {
    {Option::Teeth, Field::Teeth},         {Option::Pitch, Field::Pitch},
    {Option::PressureAngle, Field::PressureAngle}, {Option::Helix, Field::Helix},
    {Option::ODChange, Field::ODChange},   {Option::FaceWidth, Field::FaceWidth},
    {Option::Quality, Field::Quality},     {Option::Value, Field::FeatureValue},
    {Option::Pin, Field::Pin},
};

bool GearEntry::EnterByHand(const GearOptions& options, GearRun& run, FirstPage& first) {
    auto enter = [&](Option option, Field field) {
        if (!options.Has(option)) return;
        typist_.Type(field, options.Get(option));
        typist_.Leave();
    };

    if (options.Has(Option::Internal)) typist_.PressGearType(2);
    if (options.Has(Option::Mode)) {
        const std::string& mode = options.Get(Option::Mode);
        typist_.ChooseMode(mode == "thickness" ? 2 : mode == "span" ? 3 : 1);
    }
    const int depthSystem =
        options.Has(Option::DepthSystem) ? static_cast<int>(gearmain::Val(options.Get(Option::DepthSystem))) : 1;
    // A pitch fraction is accepted only with system 8 chosen first; a cutter
    // depth is asked for once the pitch is known.
    if (depthSystem != 9 && depthSystem != 1) typist_.ChooseDepthSystem(static_cast<int16_t>(depthSystem));
    if (options.Has(Option::Feature)) {
        const std::string& feature = options.Get(Option::Feature);
        const std::vector<std::string>& items = ScreenCore::FeatureList(gear_.CalcMode, gear_.GearType);
        if (std::find(items.begin(), items.end(), feature) == items.end()) {
            std::string list;
            for (const auto& item : items) list += (list.empty() ? "" : ", ") + item;
            run.error = "--feature must be one of: " + list;
            return false;
        }
        typist_.ChooseFeature(feature);
    }
    for (const auto& [option, field] : kEntries) {
        if (field == Field::FeatureValue && depthSystem == 9) {
            // A depth the screen does not take (or no pitch to take it for) is
            // the end of the gear.
            const size_t before = run.messages.size();
            typist_.ChooseDepthSystem(9, options.Get(Option::CutterDepth));
            if (run.messages.size() > before) {
                run.error = run.messages[before].text;
                return false;
            }
        }
        enter(option, field);
    }
    if (!options.Has(Option::Value)) typist_.ClickBasic();

    first = typist_.Calculate();
    return true;
}

bool GearEntry::EnterAtOnce(const GearOptions& options, FirstPage& first) {
    // The screen opens external, in the pins mode, with the circular tooth
    // thickness and depth system 1: a gear that changes none of them, with a
    // thickness, teeth and a pitch typed.
    for (Option other : {Option::Internal, Option::Mode, Option::DepthSystem, Option::Feature, Option::CutterDepth})
        if (options.Has(other)) return false;
    if (!options.Has(Option::Value) || !options.Has(Option::Teeth) || !options.Has(Option::Pitch)) return false;

    // Every key typed must be taken, so that each field holds what was typed
    // (a key refused leaves what a hint update put there).
    std::vector<Field>& typed = typedFields_;
    typed.clear();
    FieldSet typedSet = 0;
    for (const auto& [option, field] : kEntries) {
        if (!options.Has(option)) continue;
        const std::string& text = options.Get(option);
        if (text.empty() || !ScreenCore::TakesEveryKey(field, openingGear_.DepthSystem, text)) return false;
        typed.push_back(field);
        typedSet |= Bit(field);
    }

    // Each field that the hands would leave, left once: leaving a field reads
    // only its own text, and leaving it again with the same text changes
    // nothing. The fields left without being typed are left on the fresh
    // screen already.
    const FieldSet left = ScreenTypist::LeftByTyping(typed);
    size_t untypedLeft = 0;
    for (size_t i = 0; i < changingLeaves_.size(); ++i)
        if ((left & Bit(changingLeaves_[i])) && !(typedSet & Bit(changingLeaves_[i]))) untypedLeft |= size_t{1} << i;
    gear_ = leftOpenings_[untypedLeft].gear;
    texts_ = leftOpenings_[untypedLeft].texts;
    memory_ = openingMemory_;
    core_.Reopen();

    for (const auto& [option, field] : kEntries) {
        if (!(typedSet & Bit(field))) continue;
        texts_.*TextOf(field) = options.Get(option);
        // The pitch typed clears what was chosen for the old pitch (the value
        // and the pin, typed after it).
        if (field == Field::Pitch) core_.EditPitch();
    }
    FieldSet toLeave = left;
    for (Field field : kUntypedLeaves)
        if (!(typedSet & Bit(field))) toLeave &= ~Bit(field);
    core_.HoldHints(true);
    for (int f = static_cast<int>(Field::Teeth); f <= static_cast<int>(Field::Quality); ++f)
        if (toLeave & Bit(static_cast<Field>(f))) core_.Leave(static_cast<Field>(f));
    core_.HoldHints(false);
    core_.TakeWritten();

    core_.SettleHints(options.Has(Option::Pin));
    typist_.AssumeCalculateFocused();
    first = typist_.Calculate();
    return core_.SettledHintsWhole();
}

void GearEntry::Run(const GearOptions& options, GearRun& run) {
    auto clearRun = [&] {
        run.ok = false;
        run.error.clear();
        run.messages.clear();
        run.teethSpanned = 0;
        run.inspection.reset();
        run.measuring.reset();
        typist_.Reset(&run.messages);
    };
    // Entered at once, the gear starts from a fresh screen of its own; by
    // hand, from the screen as it opens.
    clearRun();
    FirstPage first = FirstPage::None;
    if (EnterAtOnce(options, first)) {
        ++enteredAtOnce_;
    } else {
        Reset();
        clearRun();
        if (!EnterByHand(options, run, first)) {
            run.pages.clear();
            return;
        }
    }
    if (first == FirstPage::None) {
        run.pages.clear();
        for (const auto& m : run.messages)
            if (m.icon == MsgIcon::Critical) {
                run.error = m.text;
                break;
            }
        if (run.error.empty() && !run.messages.empty()) run.error = run.messages.back().text;
        if (run.error.empty()) run.error = "The calculation did not complete";
        return;
    }

    // Page 1 is shown: what it writes into the gear state, its contents, and
    // the helical page's advice about balls. Next shows page 2 as page 1
    // prepared it (nothing changed the state since), and with a quality
    // number Next again the tolerances, as that page writes them itself.
    kind_ = first == FirstPage::Helical ? PageKind::Helical : PageKind::Spur;
    WritePageOneState(gear_, kind_);
    run.pages.resize(2);
    BuildMeasurementContent(run.pages[0], gear_, texts_, kind_, detail_);
    if (kind_ == PageKind::Helical)
        for (gearmain::Notice& advice : HelicalAdvice(gear_)) run.messages.push_back(std::move(advice));
    BuildDimensionsContent(run.pages[1], gear_, texts_, kind_, detail_);
    if (run.pages[1].next) {
        run.pages.resize(3);
        BuildToleranceContent(run.pages[2], gear_, "0.00000");
    }
    run.teethSpanned = gear_.TeethSpanned;
    run.ok = true;
}

SheetContents GearEntry::PageOneSheet() const { return PageOneContents(gear_, texts_, kind_); }

gearmain::Inspection GearEntry::Inspect(const std::vector<double>& readings, const GearRun& run) const {
    gearmain::Inspection inspection = gearmain::InspectPart(gear_, readings, texts_.featureValue);
    // The helical page speaks of balls: the caption of page 1's measured row.
    const Quantity measured = inspection.measured == gearmain::Measured::Span ? Quantity::Span : Quantity::Measurement;
    if (!run.pages.empty())
        if (const PageRow* row = RowOf(run.pages[0], measured)) inspection.measuredCaption = gearmain::Trim(row->caption);
    return inspection;
}

Measuring GearEntry::Measure(bool picture, const GearRun& run) const {
    Measuring measuring;
    measuring.aids = gearmain::MeasuringAidsOf(gear_);
    measuring.texts = gearmain::TextsOf(measuring.aids);
    if (picture) measuring.picture = gearmain::PinPictureOf(gear_, gear_.Thick1, gear_.PinDiameter);
    measuring.balls = !run.pages.empty() && MeasuredOverBalls(run.pages[0]);
    measuring.chordalThickness = gear_.ChordalText;
    return measuring;
}

}  // namespace involvo::cli
