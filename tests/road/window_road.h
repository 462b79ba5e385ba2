// The window's road for one gear: the whole program on the headless platform,
// the options typed into the input screen's fields (FrmMain presenter), the
// menus, option buttons and feature list clicked, Calculate pressed, and the
// result pages walked with Next (the page presenters), in the order that
// involvo-cli documents. What the pages then show, the messages every window
// showed and the gear state are what the batch road must give too.
#pragma once

#include <algorithm>
#include <charconv>
#include <string>

#include "cli/cli.h"
#include "input_screen/field_controls.h"
#include "platform/headless.h"
#include "result_pages/result_pages.h"
#include "shell/application.h"

namespace involvo::testing {

// The whole program on the headless platform, one gear typed into it.
class WindowRoad {
public:
    WindowRoad() : app_(gear_, platform_) { app_.StartUpWithoutSplash(); }
    ~WindowRoad() {
        app_.Shutdown();
        platform_.RunTimers();
    }

    // Types the gear in, up to the value and the pin; false when the road ends
    // before (a feature the list does not have, a cutter depth refused), with
    // the run's error set.
    bool Enter(const cli::GearOptions& options) {
        using cli::Option;
        using gearmain::Field;
        HeadlessView& screen = Screen();
        auto enter = [&](Option option, Field field) {
            if (!options.Has(option)) return;
            screen.Type(ControlOf(field), options.Get(option));
            screen.Leave();
        };
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
            auto items = screen.Items(ControlOf(Field::Feature));
            if (std::find(items.begin(), items.end(), feature) == items.end()) {
                std::string list;
                for (const auto& item : items) list += (list.empty() ? "" : ", ") + item;
                run_.error = "--feature must be one of: " + list;
                return false;
            }
            screen.Choose(ControlOf(Field::Feature), feature);
        }
        enter(Option::Teeth, Field::Teeth);
        enter(Option::Pitch, Field::Pitch);
        enter(Option::PressureAngle, Field::PressureAngle);
        enter(Option::Helix, Field::Helix);
        enter(Option::ODChange, Field::ODChange);
        enter(Option::FaceWidth, Field::FaceWidth);
        enter(Option::Quality, Field::Quality);
        if (depthSystem == 9) {
            const size_t before = platform_.Messages().size();
            platform_.ScriptInput(options.Get(Option::CutterDepth));
            platform_.ScriptInput("");  // a refused depth is not offered again
            screen.Click(ctl::MnuDepth(9));
            if (platform_.Messages().size() > before) {
                run_.error = platform_.Messages()[before].text;
                return false;
            }
        }
        enter(Option::Value, Field::FeatureValue);
        enter(Option::Pin, Field::Pin);
        return true;
    }

    // Without a value, the one the Basic hint offers; then Calculate, and the
    // pages walked with Next.
    cli::GearRun Calculate(const cli::GearOptions& options) {
        HeadlessView& screen = Screen();
        if (!options.Has(cli::Option::Value)) screen.Click(ctl::LabelBasic);
        screen.Press(ctl::CmdCalc);

        FormId first = FormId::FrmOutput1, second = FormId::FrmOutput2;
        HeadlessView* page = Shown(FormId::FrmOutput1);
        if (!page) {
            page = Shown(FormId::FrmHelical1);
            first = FormId::FrmHelical1;
            second = FormId::FRMHelical2;
        }
        if (page) {
            run_.ok = true;
            run_.pages.push_back(ResultPageOf(app_, first).Content());
            page->Press(ctl::Next1);
            if (HeadlessView* p2 = Shown(second)) {
                run_.pages.push_back(ResultPageOf(app_, second).Content());
                if (p2->Visible(ctl::Next) && p2->Enabled(ctl::Next)) {
                    p2->Press(ctl::Next);
                    if (Shown(FormId::AGMATOL)) run_.pages.push_back(ResultPageOf(app_, FormId::AGMATOL).Content());
                }
            }
            run_.teethSpanned = gear_.TeethSpanned;
        } else {
            for (const auto& m : platform_.Messages())
                if (m.icon == MsgIcon::Critical) {
                    run_.error = m.text;
                    break;
                }
            if (run_.error.empty() && !platform_.Messages().empty()) run_.error = platform_.Messages().back().text;
            if (run_.error.empty()) run_.error = "The calculation did not complete";
        }
        return Finish();
    }

    // The run as it stands: the messages shown and the gear state.
    cli::GearRun Finish() {
        for (const ShownMessage& m : platform_.Messages()) run_.messages.push_back({m.text, m.icon, m.buttons});
        gear_.ForEachValue([&](const char* name, gearmain::GearMain::ValueRef ref) {
            auto number = [](auto v) {
                char buf[32];
                return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
            };
            if (auto f = std::get_if<float*>(&ref)) run_.stateNumbers.emplace_back(name, number(**f));
            else if (auto i = std::get_if<int16_t*>(&ref)) run_.stateNumbers.emplace_back(name, std::to_string(**i));
            else if (auto d = std::get_if<double*>(&ref)) run_.stateNumbers.emplace_back(name, number(**d));
            else if (auto s = std::get_if<std::string*>(&ref)) run_.stateTexts.emplace_back(name, **s);
        });
        return run_;
    }

    HeadlessView& Screen() { return *platform_.ViewOf(FormId::FrmMain); }

private:
    HeadlessView* Shown(FormId id) {
        HeadlessView* v = platform_.ViewOf(id);
        return v && v->IsShown() ? v : nullptr;
    }

    gearmain::GearMain gear_;
    HeadlessPlatform platform_;
    Application app_;
    cli::GearRun run_;
};

// One gear through the window's road.
inline cli::GearRun WindowRun(const cli::GearOptions& options) {
    WindowRoad road;
    if (!road.Enter(options)) return road.Finish();
    return road.Calculate(options);
}

}  // namespace involvo::testing
