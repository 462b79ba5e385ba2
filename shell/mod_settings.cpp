#include "shell/mod_settings.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

#include "engine/numbers.h"
#include "shell/settings_port.h"

namespace involvo::modSettings {

namespace {

// Farther than any desktop reaches: keeps garbage finite before it meets the
// windowing system's integers.
constexpr double kFar = 1.0e8;

double Finite(double v) {
    if (std::isnan(v)) return 0;
    return std::clamp(v, -kFar, kFar);
}

double Right(const TwipsRect& r) { return r.left + r.width; }
double Bottom(const TwipsRect& r) { return r.top + r.height; }

// How far a rectangle is from a screen (0 when they touch or overlap).
double Distance(const TwipsRect& r, const TwipsRect& s) {
    double dx = std::max({s.left - Right(r), r.left - Right(s), 0.0});
    double dy = std::max({s.top - Bottom(r), r.top - Bottom(s), 0.0});
    return std::hypot(dx, dy);
}

// Start within [low, high - size]; at `low` when it does not fit.
double PlaceWithin(double start, double size, double low, double high) {
    if (size >= high - low) return low;
    return std::clamp(start, low, high - size);
}

// A step of the restore that fails (an unreadable store, a value that cannot be
// had) leaves that step's value as it was and goes on with the next.
template <class F>
void Step(F&& f) {
    try {
        f();
    } catch (const std::exception&) {
    }
}

}  // namespace

std::string SectionOf(FormId form) { return std::string(FormName(form)) + "_Settings"; }

bool RestoresPlacement(FormId form) {
    switch (form) {
        case FormId::FrmMain:
        case FormId::FrmOutput1:
        case FormId::FrmHelical1:
        case FormId::FrmOutput2:
        case FormId::FRMHelical2:
        case FormId::AGMATOL:
        case FormId::FrmChecklist1:
        case FormId::FrmCheckPart: return true;
        case FormId::frmSplash:
        case FormId::frmAbout:
        case FormId::FrmPrinting: return false;
    }
    return false;
}

bool SavesPlacement(FormId form) { return RestoresPlacement(form) && form != FormId::FrmChecklist1; }

bool TitleBarReachable(const TwipsRect& r, const FrameMargins& frame, const std::vector<TwipsRect>& screens) {
    const double length = r.width + frame.left + frame.right;
    const double grip = std::min(kGripTwips, length);
    for (const TwipsRect& s : screens) {
        if (r.top < s.top || r.top + frame.top >= Bottom(s)) continue;
        double across = std::min(r.left + length, Right(s)) - std::max(r.left, s.left);
        if (across >= grip && across > 0) return true;
    }
    return false;
}

TwipsRect KeepReachable(TwipsRect r, bool sizable, const FrameMargins& frame, const std::vector<TwipsRect>& screens) {
    r.left = Finite(r.left);
    r.top = Finite(r.top);
    r.width = Finite(r.width);
    r.height = Finite(r.height);
    // A frame is a few borders and a title bar: nothing negative, nothing absurd.
    auto margin = [](double v) { return std::clamp(Finite(v), 0.0, kSmallestSideTwips); };
    const FrameMargins f{margin(frame.left), margin(frame.top), margin(frame.right), margin(frame.bottom)};
    const double frameWidth = f.left + f.right, frameHeight = f.top + f.bottom;
    if (sizable) {
        r.width = std::max(r.width, kSmallestSideTwips);
        r.height = std::max(r.height, kSmallestSideTwips);
    }
    if (screens.empty()) return r;

    if (sizable) {
        TwipsRect all = screens.front();
        for (const TwipsRect& s : screens) {
            double right = std::max(Right(all), Right(s)), bottom = std::max(Bottom(all), Bottom(s));
            all.left = std::min(all.left, s.left);
            all.top = std::min(all.top, s.top);
            all.width = right - all.left;
            all.height = bottom - all.top;
        }
        r.width = std::min(r.width, std::max(all.width - frameWidth, kSmallestSideTwips));
        r.height = std::min(r.height, std::max(all.height - frameHeight, kSmallestSideTwips));
    }

    if (TitleBarReachable(r, f, screens)) return r;

    // The window with its frame, as it stands on the desktop.
    auto outer = [&] { return TwipsRect{r.left, r.top, r.width + frameWidth, r.height + frameHeight}; };
    const TwipsRect* target = nullptr;
    double most = 0;
    for (const TwipsRect& s : screens) {
        const TwipsRect o = outer();
        double w = std::min(Right(o), Right(s)) - std::max(o.left, s.left);
        double h = std::min(Bottom(o), Bottom(s)) - std::max(o.top, s.top);
        if (w > 0 && h > 0 && w * h > most) {
            most = w * h;
            target = &s;
        }
    }
    if (!target) {
        target = &screens.front();
        for (const TwipsRect& s : screens)
            if (Distance(outer(), s) < Distance(outer(), *target)) target = &s;
    }
    const TwipsRect& s = *target;
    if (sizable) {
        r.width = std::min(r.width, std::max(s.width - frameWidth, kSmallestSideTwips));
        r.height = std::min(r.height, std::max(s.height - frameHeight, kSmallestSideTwips));
    }
    const TwipsRect o = outer();
    r.left = PlaceWithin(o.left, o.width, s.left, Right(s));
    r.top = PlaceWithin(o.top, o.height, s.top, Bottom(s));
    return r;
}

void RestorePlacement(Platform& platform, FormId form) {
    SettingsPort* settings = platform.Settings();
    DesktopPort* desktop = platform.Desktop();
    if (!settings || !desktop) return;
    std::optional<WindowPlacement> now;
    Step([&] { now = desktop->Placement(form); });
    if (!now) return;

    const std::string section = SectionOf(form);
    bool stored = false;
    // A stored value is a Single; a text that is not a number reads 0.
    auto read = [&](const char* key, double& value) {
        Step([&] {
            if (std::optional<std::string> text = settings->GetSetting(kApplication, section, key)) {
                value = gearmain::SngEntry(gearmain::Val(*text));
                stored = true;
            }
        });
    };

    TwipsRect r = now->rect;
    read("FormLeft", r.left);
    read("FormTop", r.top);
    if (now->sizable) {
        read("FormWidth", r.width);
        read("FormHeight", r.height);
    }
    // Without settings the window keeps the place its design (or the window
    // manager) gives it.
    if (stored) {
        Step([&] { r = KeepReachable(r, now->sizable, now->frame, desktop->Screens()); });
        if (!(r == now->rect)) Step([&] { desktop->MoveWindow(form, r); });
    }

    Step([&] {
        if (settings->GetSetting(kApplication, section, "WasMaximized") == std::optional<std::string>("True"))
            desktop->MaximizeWindow(form);
    });
}

void SavePlacement(Platform& platform, FormId form) {
    SettingsPort* settings = platform.Settings();
    DesktopPort* desktop = platform.Desktop();
    if (!settings || !desktop) return;
    try {
        std::optional<WindowPlacement> now = desktop->Placement(form);
        if (!now) return;
        const std::string section = SectionOf(form);
        // A store that cannot be written keeps the old settings: stop at the
        // first refusal rather than leave half a placement.
        auto write = [&](const char* key, const std::string& value) {
            return settings->SaveSetting(kApplication, section, key, value);
        };
        auto twips = [](double v) { return gearmain::Format(Finite(v), "0"); };
        if (!now->maximized && !now->minimized) {
            // A window whose title bar is out of reach (a window manager let it
            // go there, or it grew past the screen's edge) is saved where the
            // next start would bring it back to, not where it is.
            TwipsRect r = now->rect;
            Step([&] { r = KeepReachable(r, now->sizable, now->frame, desktop->Screens()); });
            if (!write("FormLeft", twips(r.left)) || !write("FormTop", twips(r.top)) ||
                !write("FormWidth", twips(r.width)) || !write("FormHeight", twips(r.height)))
                return;
        }
        write("WasMaximized", now->maximized ? "True" : "False");
    } catch (const std::exception&) {
    }
}

}  // namespace involvo::modSettings
