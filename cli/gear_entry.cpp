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

void GearEntry::Run(const GearOptions& options, GearRun& run) {
    Reset();
    run.ok = false;
    run.error.clear();
    run.messages.clear();
    run.teethSpanned = 0;
    run.inspection.reset();
    run.measuring.reset();
    typist_.Reset(&run.messages);

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
            run.pages.clear();
            return;
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
            run.pages.clear();
            return;
        }
    }
    enter(Option::Value, Field::FeatureValue);
    enter(Option::Pin, Field::Pin);
    if (!options.Has(Option::Value)) typist_.ClickBasic();

    const FirstPage first = typist_.Calculate();
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
