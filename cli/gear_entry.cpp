#include "cli/gear_entry.h"

#include <algorithm>


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
}

void GearEntry::Reset() {
    // Copies reuse the room of the texts.
    gear_ = openingGear_;
    texts_ = openingTexts_;
    memory_ = openingMemory_;
    core_.Reopen();
}

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
    enter(Option::Teeth, Field::Teeth);
    enter(Option::Pitch, Field::Pitch);
    enter(Option::PressureAngle, Field::PressureAngle);
    enter(Option::Helix, Field::Helix);
    enter(Option::ODChange, Field::ODChange);
    enter(Option::FaceWidth, Field::FaceWidth);
    enter(Option::Quality, Field::Quality);
    if (depthSystem == 9) {
        // A depth the screen does not take (or no pitch to take it for) is the
        // end of the gear.
        const size_t before = run.messages.size();
        typist_.ChooseDepthSystem(9, options.Get(Option::CutterDepth));
        if (run.messages.size() > before) {
            run.error = run.messages[before].text;
            return false;
        }
    }
    enter(Option::Value, Field::FeatureValue);
    enter(Option::Pin, Field::Pin);
    if (!options.Has(Option::Value)) typist_.ClickBasic();

    first = typist_.Calculate();
    return true;
}

// The entries in the order of entry, the only ones of such a gear.
constexpr std::pair<Option, Field> kEntries[] = {
    {Option::Teeth, Field::Teeth},         {Option::Pitch, Field::Pitch},
    {Option::PressureAngle, Field::PressureAngle}, {Option::Helix, Field::Helix},
    {Option::ODChange, Field::ODChange},   {Option::FaceWidth, Field::FaceWidth},
    {Option::Quality, Field::Quality},     {Option::Value, Field::FeatureValue},
    {Option::Pin, Field::Pin},
};

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
    for (const auto& [option, field] : kEntries) {
        if (!options.Has(option)) continue;
        const std::string& text = options.Get(option);
        if (text.empty()) return false;
        std::string& shown = texts_.*TextOf(field);
        shown.clear();
        for (char ch : text) {
            if (ch == '\b' || !ScreenCore::KeyAccepted(field, gear_.DepthSystem, shown, static_cast<unsigned char>(ch)))
                return false;
            shown.push_back(ch);
        }
        // The pitch typed clears what was chosen for the old pitch (the value
        // and the pin, typed after it).
        if (field == Field::Pitch) core_.EditPitch();
        typed.push_back(field);
    }

    // Each field that the hands would leave, left once: leaving a field only
    // reads its own text, and leaving it again with the same text changes
    // nothing.
    const FieldSet left = ScreenTypist::LeftByTyping(typed);
    core_.HoldHints(true);
    for (int f = static_cast<int>(Field::Teeth); f <= static_cast<int>(Field::Quality); ++f)
        if (left & Bit(static_cast<Field>(f))) core_.Leave(static_cast<Field>(f));
    core_.HoldHints(false);
    core_.TakeWritten();

    core_.SettleHints(options.Has(Option::Pin));
    typist_.AssumeCalculateFocused();
    first = typist_.Calculate();
    return core_.SettledHintsWhole();
}

void GearEntry::Run(const GearOptions& options, GearRun& run) {
    auto fresh = [&] {
        Reset();
        run.ok = false;
        run.error.clear();
        run.messages.clear();
        run.teethSpanned = 0;
        run.inspection.reset();
        run.measuring.reset();
        typist_.Reset(&run.messages);
    };
    fresh();
    FirstPage first = FirstPage::None;
    if (EnterAtOnce(options, first)) {
        ++enteredAtOnce_;
    } else {
        fresh();
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
    BuildDimensionsContent(run.pages[1], gear_, texts_, kind_);
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
        for (const PageRow& row : run.pages[0].rows)
            if (row.visible && row.quantity == measured) {
                inspection.measuredCaption = gearmain::Trim(row.caption);
                break;
            }
    return inspection;
}

Measuring GearEntry::Measure(bool picture) const {
    Measuring measuring;
    measuring.aids = gearmain::MeasuringAidsOf(gear_);
    measuring.texts = gearmain::TextsOf(measuring.aids);
    if (picture) measuring.picture = gearmain::PinPictureOf(gear_, gear_.Thick1, gear_.PinDiameter);
    measuring.balls = kind_ == PageKind::Helical;
    measuring.chordalThickness = gear_.ChordalText;
    return measuring;
}

}  // namespace involvo::cli
