// The batch road gives the window's numbers: seeded random gears (every mode,
// feature, gear type and depth system, spur and helical, bands, O.D. changes,
// qualities, values from the Basic hint, rows to refuse) entered through the
// whole headless input screen and through involvo-cli's road, with every page
// row, title, message, batch column and state value equal byte for byte; then
// the same gears as one batch. INVOLVO_ROAD_GEARS (3000), INVOLVO_ROAD_SEED and
// INVOLVO_ROAD_KINDS=1 (print the kinds counted) change the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "input_screen/field_controls.h"
#include "input_screen/screen_texts.h"
#include "platform/headless.h"
#include "result_pages/result_pages.h"
#include "shell/application.h"

namespace involvo::testing {
namespace {

using cli::GearOptions;
using cli::GearRun;
using cli::Option;

size_t FromEnvironment(const char* name, size_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<size_t>(std::strtoull(text, nullptr, 10)) : fallback;
}

// One gear through the window's road: the whole program on the headless
// platform, in the order involvo-cli documents; without a value, the one the
// Basic hint offers; the pages walked with Next.
GearRun WindowRun(const GearOptions& options) {
    using gearmain::Field;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    GearRun run;
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);
    auto shown = [&](FormId id) {
        HeadlessView* v = platform.ViewOf(id);
        return v && v->IsShown() ? v : nullptr;
    };
    auto enter = [&](Option option, Field field) {
        if (!options.Has(option)) return;
        screen.Type(ControlOf(field), options.Get(option));
        screen.Leave();
    };
    // The road ends before Calculate for a feature the list does not have
    // and for a cutter depth refused.
    auto entered = [&] {
        if (options.Has(Option::Internal)) screen.Press(ctl::Internal);
        if (options.Has(Option::Mode)) {
            const std::string& mode = options.Get(Option::Mode);
            screen.Click(mode == "thickness" ? ctl::MnuCTT : mode == "span" ? ctl::MnuSpan : ctl::MnuMow);
        }
        const int depthSystem =
            options.Has(Option::DepthSystem) ? static_cast<int>(gearmain::Val(options.Get(Option::DepthSystem))) : 1;
        if (depthSystem != 9 && depthSystem != 1) screen.Click(ctl::MnuDepth(depthSystem));
        if (options.Has(Option::Feature)) {
            const std::string& feature = options.Get(Option::Feature);
            const auto items = screen.Items(ControlOf(Field::Feature));
            if (std::find(items.begin(), items.end(), feature) == items.end()) {
                run.error = "--feature must be one of: ";
                for (size_t i = 0; i < items.size(); ++i) run.error += (i ? ", " : "") + items[i];
                return false;
            }
            screen.Choose(ControlOf(Field::Feature), feature);
        }
        for (auto [option, field] : {std::pair{Option::Teeth, Field::Teeth}, {Option::Pitch, Field::Pitch},
                                     {Option::PressureAngle, Field::PressureAngle}, {Option::Helix, Field::Helix},
                                     {Option::ODChange, Field::ODChange}, {Option::FaceWidth, Field::FaceWidth},
                                     {Option::Quality, Field::Quality}})
            enter(option, field);
        if (depthSystem == 9) {
            const size_t before = platform.Messages().size();
            platform.ScriptInput(options.Get(Option::CutterDepth));
            platform.ScriptInput("");  // a refused depth is not offered again
            screen.Click(ctl::MnuDepth(9));
            if (platform.Messages().size() > before) {
                run.error = platform.Messages()[before].text;
                return false;
            }
        }
        enter(Option::Value, Field::FeatureValue);
        enter(Option::Pin, Field::Pin);
        return true;
    };
    if (entered()) {
        if (!options.Has(Option::Value)) screen.Click(ctl::LabelBasic);
        screen.Press(ctl::CmdCalc);
        const bool helical = !shown(FormId::FrmOutput1);
        const FormId first = helical ? FormId::FrmHelical1 : FormId::FrmOutput1;
        const FormId second = helical ? FormId::FRMHelical2 : FormId::FrmOutput2;
        if (HeadlessView* page = shown(first)) {
            run.ok = true;
            run.pages.push_back(ResultPageOf(app, first).Content());
            page->Press(ctl::Next1);
            if (HeadlessView* p2 = shown(second)) {
                run.pages.push_back(ResultPageOf(app, second).Content());
                if (p2->Visible(ctl::Next) && p2->Enabled(ctl::Next)) {
                    p2->Press(ctl::Next);
                    if (shown(FormId::AGMATOL)) run.pages.push_back(ResultPageOf(app, FormId::AGMATOL).Content());
                }
            }
            run.teethSpanned = gear.TeethSpanned;
        } else {
            // The refusal: the first critical message, else the last one.
            for (const auto& m : platform.Messages())
                if (m.icon == MsgIcon::Critical && run.error.empty()) run.error = m.text;
            if (run.error.empty() && !platform.Messages().empty()) run.error = platform.Messages().back().text;
            if (run.error.empty()) run.error = "The calculation did not complete";
        }
    }
    for (const ShownMessage& m : platform.Messages()) run.messages.push_back({m.text, m.icon, m.buttons});
    cli::WriteState(gear, run);
    app.Shutdown();
    platform.RunTimers();
    return run;
}

// A number written with the decimals given.
std::string Decimals(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// What kinds of gear the random gears were, counted.
using Kinds = std::map<std::string, int>;

class GearMaker {
public:
    explicit GearMaker(uint32_t seed) : rng_(seed) {}

    GearOptions Next(Kinds& kinds) {
        GearOptions o;
        // A plain gear: the screen's gear type, mode, depth system and feature
        // as it opens.
        const bool plain = Chance(0.3);
        const bool internal = !plain && Chance(0.3);
        if (internal) o.Set(Option::Internal, "");
        int mode = 1;
        switch (plain ? 0 : Pick(10)) {
            case 0: break;  // the pins mode as the screen opens
            case 1: case 2: case 3: o.Set(Option::Mode, "pins"); break;
            case 4: case 5: case 6: mode = 2; o.Set(Option::Mode, "thickness"); break;
            default: mode = 3; o.Set(Option::Mode, "span"); break;
        }
        const int gearType = internal && mode != 3 ? 2 : 1;

        int depthSystem = 1;
        if (!plain && Chance(0.55)) {
            depthSystem = 1 + Pick(9);
            o.Set(Option::DepthSystem, std::to_string(depthSystem));
        }

        // The feature: one of the list, mostly; now and then one the list
        // does not have.
        const std::vector<std::string>& list = ScreenCore::FeatureList(mode, gearType);
        std::string feature = list.front();
        if (plain) {
        } else if (Chance(0.02)) {
            feature = Chance(0.5) ? screen::kSpan : "Tooth Height";
            o.Set(Option::Feature, feature);
        } else if (Chance(0.75)) {
            feature = list[Pick(list.size())];
            o.Set(Option::Feature, feature);
        }

        const int teeth = Chance(0.1) ? 3 + Pick(9) : 10 + Pick(141);
        o.Set(Option::Teeth, std::to_string(teeth));
        const double pitch = Chance(0.3) ? 1 + Pick(48) : Uniform(2, 32);
        const std::string pitchText = Chance(0.5) ? std::to_string(static_cast<int>(std::lround(pitch)))
                                                  : Decimals(pitch, 1 + Pick(4));
        const double p = gearmain::Val(pitchText) > 0 ? gearmain::Val(pitchText) : 1;
        if (depthSystem == 8 && Chance(0.7)) {
            // A stub tooth: the depth of a finer pitch, or a coarser one that
            // collapses to the pitch.
            const int depthPitch = static_cast<int>(p) + (Chance(0.8) ? 1 + Pick(4) : -1);
            o.Set(Option::Pitch, pitchText + "/" + std::to_string(depthPitch));
            ++kinds["pitch fraction"];
        } else {
            o.Set(Option::Pitch, pitchText);
        }
        if (depthSystem == 9) {
            const double depth = Chance(0.85) ? Uniform(1.05, 2.9) / p : Uniform(3.2, 4) / p;
            o.Set(Option::CutterDepth, Decimals(depth, 4));
        }
        if (Chance(0.5)) {
            static const char* const kAngles[] = {"14.5", "20", "25", "22.5", "17.5", "30", "20.0"};
            o.Set(Option::PressureAngle, kAngles[Pick(std::size(kAngles))]);
        }
        const bool helical = Chance(0.4);
        if (helical) o.Set(Option::Helix, Chance(0.05) ? "0.001" : Decimals(Uniform(5, 45), Pick(4)));
        else if (Chance(0.2)) o.Set(Option::Helix, "0");
        if (Chance(0.3)) {
            o.Set(Option::ODChange, Decimals(Uniform(-0.03, 0.03), 3 + Pick(5)));
            ++kinds["O.D. change"];
        }
        if (Chance(0.2)) o.Set(Option::FaceWidth, Decimals(Uniform(0.25, 4), 2));
        if (Chance(0.4)) {
            o.Set(Option::Quality, std::to_string(3 + Pick(13)));
            ++kinds["quality"];
        }

        // The pin, or the number of teeth spanned.
        const bool spanCount = mode == 3 || feature == screen::kSpan;
        if (Chance(0.5)) {
            if (spanCount) o.Set(Option::Pin, Chance(0.9) ? std::to_string(2 + Pick(6)) : "2.5");
            else o.Set(Option::Pin, Decimals(1.728 / p * Uniform(0.7, 1.4), 4 + Pick(2)));
        }

        // The value: near the one the screen offers, or a band around it.
        if (Chance(0.65)) {
            const double basic = Basic(o);
            const bool band = Chance(0.25);
            if (feature == screen::kBacklash) {
                const double a = Uniform(0, 0.01), b = a + Uniform(0.001, 0.004);
                o.Set(Option::Value, band ? Decimals(a, 4) + " / " + Decimals(b, 4) : Decimals(a, 4));
            } else {
                const double a = basic * Uniform(0.985, 1.004), b = a * Uniform(1.001, 1.006);
                const int decimals = 3 + Pick(4);
                o.Set(Option::Value, band ? Decimals(b, decimals) + (Chance(0.5) ? "/" : " / ") + Decimals(a, decimals)
                                          : Decimals(a, decimals));
            }
            if (band) ++kinds["band"];
        } else {
            ++kinds["value from the Basic hint"];
        }

        // Rows that must be refused.
        static const std::pair<Option, const char*> kRefused[] = {
            {Option::Teeth, "2"},   {Option::Teeth, "0"}, {Option::Pitch, "0.05"},  {Option::PressureAngle, "3"},
            {Option::Quality, "16"}, {Option::Pin, "0"},  {Option::Value, "0.001"}, {Option::PressureAngle, "0"}};
        if (Chance(0.08)) {
            const auto& [option, text] = kRefused[Pick(8)];
            o.Set(option, text);
        }
        // Keys that a field does not take: "24.0" teeth are typed 240.
        static const std::pair<Option, const char*> kRefusedKeys[] = {
            {Option::Teeth, "24.0"}, {Option::ODChange, "+0.010"}, {Option::Quality, "None"}, {Option::Value, "+0.1"}};
        if (Chance(0.04)) {
            const auto& [option, text] = kRefusedKeys[Pick(std::size(kRefusedKeys))];
            o.Set(option, text);
            ++kinds["keys refused"];
        }
        if (plain) ++kinds["plain"];

        ++kinds["mode " + std::to_string(mode) + ": " + feature];
        ++kinds[helical ? "helical" : "spur"];
        ++kinds[gearType == 1 ? "external" : "internal"];
        ++kinds[teeth % 2 ? "odd" : "even"];
        ++kinds["depth system " + std::to_string(depthSystem)];
        return o;
    }

private:
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int Pick(size_t n) { return static_cast<int>(std::uniform_int_distribution<size_t>(0, n - 1)(rng_)); }
    double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

    // The value the screen offers for the gear so far (0 when there is none).
    double Basic(const GearOptions& o) {
        entry_.Run(o, run_);
        return gearmain::Val(entry_.texts().featureValue);
    }

    std::mt19937 rng_;
    cli::GearEntry entry_;
    GearRun run_;
};

// Every row of the pages of a run, hidden ones included, with its quantity,
// and the notes of the pages.
std::string PagesOf(const GearRun& run) {
    std::ostringstream s;
    for (const PageContent& page : run.pages) {
        s << "page " << static_cast<int>(page.form) << " next " << page.next << " zero " << page.zeroNote << "\n";
        for (const PageRow& row : page.rows)
            s << static_cast<int>(row.quantity) << " " << row.visible << " " << row.caption << " = " << row.value
              << " | " << row.transverse << "\n";
    }
    return s.str();
}

// Everything of a run, one item a line: its JSON (ok, error, state,
// messages, visible rows), its pages, the buttons of the messages, its batch
// columns.
std::string Written(const GearRun& run) {
    std::ostringstream s;
    cli::WriteJson(s, run);
    s << PagesOf(run);
    for (const auto& m : run.messages) s << "buttons " << static_cast<int>(m.buttons) << "\n";
    s << "teeth spanned " << run.teethSpanned << "\n";
    std::string line;
    cli::AppendCsvRow(line, 1, run);
    s << line;
    return s.str();
}

// The first line where the two runs part, or "".
std::string Difference(const GearRun& window, const GearRun& batch) {
    const std::string a = Written(window), b = Written(batch);
    if (a == b) return "";
    const size_t part = std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
    const size_t line = a.rfind('\n', part == 0 ? 0 : part - 1) + 1;  // npos + 1 is 0
    return "window: " + a.substr(line, a.find('\n', part) - line) + "\nbatch:  " + b.substr(line, b.find('\n', part) - line);
}

// A batch's CSV of the gears: a column for every option.
std::string BatchOf(const std::vector<GearOptions>& gears) {
    std::string csv;
    std::vector<std::string> cells;
    for (size_t i = 0; i < cli::kGearOptionCount; ++i) cells.push_back(cli::OptionName(static_cast<Option>(i)));
    cli::AppendCsvLine(csv, cells);
    for (const GearOptions& options : gears) {
        for (size_t i = 0; i < cli::kGearOptionCount; ++i) {
            const Option option = static_cast<Option>(i);
            cells[i] = !options.Has(option) ? "" : cli::IsFlag(option) ? "1" : options.Get(option);
        }
        cli::AppendCsvLine(csv, cells);
    }
    return csv;
}

TEST(Road, RandomGearsGiveTheWindowsPagesMessagesColumnsAndState) {
    const size_t gears = FromEnvironment("INVOLVO_ROAD_GEARS", 3000);
    GearMaker maker(static_cast<uint32_t>(FromEnvironment("INVOLVO_ROAD_SEED", 20240611)));
    Kinds kinds;
    int failures = 0, refused = 0;
    // The batch road keeps its entry from gear to gear, as a batch does; a
    // batch also keeps its run, and builds each row's pages over the last
    // row's.
    cli::GearEntry entry;
    GearRun kept;
    int keptFailures = 0;
    std::vector<GearOptions> all;
    std::string expectedBatch;
    cli::AppendCsvLine(expectedBatch, cli::CsvHeader());
    for (size_t i = 0; i < gears; ++i) {
        const GearOptions options = maker.Next(kinds);
        const GearRun window = WindowRun(options);
        GearRun batch;
        if (auto bad = cli::CheckOptions(options)) {
            batch.error = bad->text;  // what the batch says of a row it does not enter
        } else {
            entry.Run(options, kept);
            entry.Run(options, batch);
            cli::WriteState(entry.gear(), batch);
            if (PagesOf(kept) != PagesOf(batch) && ++keptFailures <= 10)
                ADD_FAILURE() << "gear " << i + 1 << ": pages built over the last gear's differ from pages built afresh\n"
                              << BatchOf({options}) << PagesOf(kept) << "--- afresh:\n" << PagesOf(batch);
        }
        refused += !batch.ok;
        const std::string difference = Difference(window, batch);
        if (!difference.empty() && ++failures <= 10)
            ADD_FAILURE() << "gear " << i + 1 << ", as a batch:\n" << BatchOf({options}) << difference;
        all.push_back(options);
        cli::AppendCsvRow(expectedBatch, i + 1, window);
    }
    // The same gears as one batch on two threads: the window's columns.
    std::ostringstream out;
    cli::RunBatch(BatchOf(all), out, 2);
    EXPECT_TRUE(out.str() == expectedBatch) << "the batch of every gear differs from the window's rows";
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(keptFailures, 0);
    if (std::getenv("INVOLVO_ROAD_KINDS")) {
        for (const auto& [kind, count] : kinds) std::printf("%6d  %s\n", count, kind.c_str());
        std::printf("%6d  refused\n", refused);
        std::printf("%6zu  entered at once\n", entry.EnteredAtOnce());
    }

    // Every kind of gear was there.
    if (gears < 2000) return;
    EXPECT_GE(refused, 100);
    EXPECT_LE(refused, static_cast<int>(gears / 2));
    // Plain gears with their value typed are entered at once, unless a hint
    // fails them; the rest field by field.
    EXPECT_GE(entry.EnteredAtOnce(), gears / 8);
    for (const char* kind : {"spur", "helical", "external", "internal", "odd", "even", "band", "O.D. change",
                             "quality", "pitch fraction", "value from the Basic hint", "plain", "keys refused"})
        EXPECT_GE(kinds[kind], 20) << kind;
    for (int system = 1; system <= 9; ++system) EXPECT_GE(kinds["depth system " + std::to_string(system)], 20);
    for (int mode = 1; mode <= 3; ++mode)
        for (int gearType = 1; gearType <= (mode == 3 ? 1 : 2); ++gearType)  // span: external gears
            for (const std::string& feature : ScreenCore::FeatureList(mode, gearType))
                EXPECT_GE(kinds["mode " + std::to_string(mode) + ": " + feature], 10) << mode << " " << feature;
}

}  // namespace
}  // namespace involvo::testing
