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
#include "platform/headless.h"
#include "result_pages/result_pages.h"
#include "shell/application.h"

namespace involvo::testing {

// The controls that the road clicks, besides the fields (ControlOf).
struct WindowControls {
    static constexpr const char* kInternal = "Internal";
    static constexpr const char* kPinsMode = "MnuMow";
    static constexpr const char* kThicknessMode = "MnuCTT";
    static constexpr const char* kSpanMode = "MnuSpan";
    static std::string DepthSystem(int system) { return "MnuDepth(" + std::to_string(system) + ")"; }
    static constexpr const char* kBasicHint = "LabelBasic";
    static constexpr const char* kCalculate = "CmdCalc";
    static constexpr const char* kPageOneNext = "Next1";
    static constexpr const char* kPageTwoNext = "Next";
};

inline cli::GearRun WindowRun(const cli::GearOptions& options) {
    using cli::Option;
    using gearmain::Field;
    using C = WindowControls;
    cli::GearRun run;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);
    auto shown = [&](FormId id) {
        HeadlessView* v = platform.ViewOf(id);
        return v && v->IsShown() ? v : nullptr;
    };
    auto messages = [&] {
        run.messages.clear();
        for (const ShownMessage& m : platform.Messages()) run.messages.push_back({m.text, m.icon, m.buttons});
    };
    auto enter = [&](Option option, Field field) {
        if (!options.Has(option)) return;
        screen.Type(ControlOf(field), options.Get(option));
        screen.Leave();
    };
    auto finish = [&] {
        messages();
        gear.ForEachValue([&](const char* name, gearmain::GearMain::ValueRef ref) {
            auto number = [](auto v) {
                char buf[32];
                return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
            };
            if (auto f = std::get_if<float*>(&ref)) run.stateNumbers.emplace_back(name, number(**f));
            else if (auto i = std::get_if<int16_t*>(&ref)) run.stateNumbers.emplace_back(name, std::to_string(**i));
            else if (auto d = std::get_if<double*>(&ref)) run.stateNumbers.emplace_back(name, number(**d));
            else if (auto s = std::get_if<std::string*>(&ref)) run.stateTexts.emplace_back(name, **s);
        });
        app.Shutdown();
        platform.RunTimers();
        return run;
    };

    if (options.Has(Option::Internal)) screen.Press(C::kInternal);
    if (options.Has(Option::Mode)) {
        const std::string& mode = options.Get(Option::Mode);
        screen.Click(mode == "thickness" ? C::kThicknessMode : mode == "span" ? C::kSpanMode : C::kPinsMode);
    }
    const int depthSystem =
        options.Has(Option::DepthSystem) ? static_cast<int>(gearmain::Val(options.Get(Option::DepthSystem))) : 1;
    if (depthSystem != 9 && depthSystem != 1) screen.Click(C::DepthSystem(depthSystem));
    if (options.Has(Option::Feature)) {
        const std::string& feature = options.Get(Option::Feature);
        auto items = screen.Items(ControlOf(Field::Feature));
        if (std::find(items.begin(), items.end(), feature) == items.end()) {
            std::string list;
            for (const auto& item : items) list += (list.empty() ? "" : ", ") + item;
            run.error = "--feature must be one of: " + list;
            return finish();
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
        const size_t before = platform.Messages().size();
        platform.ScriptInput(options.Get(Option::CutterDepth));
        platform.ScriptInput("");  // a refused depth is not offered again
        screen.Click(C::DepthSystem(9));
        if (platform.Messages().size() > before) {
            run.error = platform.Messages()[before].text;
            return finish();
        }
    }
    enter(Option::Value, Field::FeatureValue);
    enter(Option::Pin, Field::Pin);
    // Without a value, the one the Basic hint offers.
    if (!options.Has(Option::Value)) screen.Click(C::kBasicHint);

    screen.Press(C::kCalculate);

    FormId first = FormId::FrmOutput1, second = FormId::FrmOutput2;
    HeadlessView* page = shown(FormId::FrmOutput1);
    if (!page) {
        page = shown(FormId::FrmHelical1);
        first = FormId::FrmHelical1;
        second = FormId::FRMHelical2;
    }
    if (page) {
        run.ok = true;
        run.pages.push_back(ResultPageOf(app, first).Content());
        page->Press(C::kPageOneNext);
        if (HeadlessView* p2 = shown(second)) {
            run.pages.push_back(ResultPageOf(app, second).Content());
            if (p2->Visible(C::kPageTwoNext) && p2->Enabled(C::kPageTwoNext)) {
                p2->Press(C::kPageTwoNext);
                if (shown(FormId::AGMATOL)) run.pages.push_back(ResultPageOf(app, FormId::AGMATOL).Content());
            }
        }
        run.teethSpanned = gear.TeethSpanned;
    } else {
        for (const auto& m : platform.Messages())
            if (m.icon == MsgIcon::Critical) {
                run.error = m.text;
                break;
            }
        if (run.error.empty() && !platform.Messages().empty()) run.error = platform.Messages().back().text;
        if (run.error.empty()) run.error = "The calculation did not complete";
    }
    return finish();
}

}  // namespace involvo::testing
