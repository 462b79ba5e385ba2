#include "cli/gear_options.h"

namespace involvo::cli {

namespace {

using gearmain::Trim;

constexpr const char* kNames[kGearOptionCount] = {
    "cutter-depth", "depth-system", "face-width", "feature",        "helix",   "internal", "mode",  "od-change",
    "options",      "pin",          "pitch",      "pressure-angle", "quality", "teeth",    "value",
};

bool IsNumber(std::string_view text, bool signAllowed = false) { return gearmain::IsPlainNumber(text, signAllowed); }

// A number, or two numbers "a/b".
bool IsPair(std::string_view text, bool signAllowed) {
    size_t slash = text.find('/');
    if (slash == std::string_view::npos) return IsNumber(text, signAllowed);
    return IsNumber(text.substr(0, slash), signAllowed) && IsNumber(text.substr(slash + 1), signAllowed);
}

std::optional<UsageError> CheckValue(Option option, const std::string& value) {
    auto bad = [&] { return UsageError{std::string("--") + OptionName(option) + ": not a number: " + value}; };
    switch (option) {
        case Option::Internal:
        case Option::Feature:  // checked against the mode's list when the gear is entered
            return std::nullopt;
        case Option::Mode:
            if (value != "pins" && value != "thickness" && value != "span")
                return UsageError{"--mode must be pins, thickness or span"};
            return std::nullopt;
        case Option::Pitch:
            if (!IsPair(value, false)) return bad();
            return std::nullopt;
        case Option::Value:
            if (!IsPair(value, true)) return bad();
            return std::nullopt;
        case Option::ODChange:
            if (!IsNumber(value, true)) return bad();
            return std::nullopt;
        case Option::Quality:
            if (value != "None" && !IsNumber(value)) return bad();
            return std::nullopt;
        case Option::PrintoutList:
            if (!OptionList(value)) return UsageError{"--options takes all, none, or numbers 1 to 18 such as 1-12,14"};
            return std::nullopt;
        case Option::CutterDepth:
        case Option::DepthSystem:
        case Option::FaceWidth:
        case Option::Helix:
        case Option::Pin:
        case Option::PressureAngle:
        case Option::Teeth:
            if (!IsNumber(value)) return bad();
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

const char* OptionName(Option option) { return kNames[static_cast<size_t>(option)]; }

std::optional<Option> OptionNamed(std::string_view name) {
    for (size_t i = 0; i < kGearOptionCount; ++i)
        if (name == kNames[i]) return static_cast<Option>(i);
    return std::nullopt;
}

std::optional<OptionValues> OptionList(const std::string& text) {
    OptionValues values{};
    std::string list = Trim(text);
    if (list == "all") {
        values.fill(1);
        values[0] = 0;
        return values;
    }
    if (list == "none") return values;
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        std::string item = Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        size_t dash = item.find('-');
        auto number = [](const std::string& t) -> int {
            if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
            return std::stoi(t);
        };
        int from = number(Trim(item.substr(0, dash)));
        int to = dash == std::string::npos ? from : number(Trim(item.substr(dash + 1)));
        if (from < 1 || to > involvo::kOptionCount || from > to) return std::nullopt;
        for (int i = from; i <= to; ++i) values[i] = 1;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return values;
}

std::optional<UsageError> CheckOptions(const GearOptions& options) {
    for (size_t i = 0; i < kGearOptionCount; ++i) {
        const Option option = static_cast<Option>(i);
        if (!options.Has(option)) continue;
        if (auto bad = CheckValue(option, options.Get(option))) return bad;
    }
    if (options.Has(Option::DepthSystem)) {
        double s = gearmain::Val(options.Get(Option::DepthSystem));
        if (s < 1 || s > 9 || s != static_cast<int>(s)) return UsageError{"--depth-system must be 1 to 9"};
        if (s == 9 && !options.Has(Option::CutterDepth)) return UsageError{"--depth-system 9 needs --cutter-depth"};
    }
    if (options.Has(Option::Pitch) && options.Get(Option::Pitch).find('/') != std::string::npos &&
        !(options.Has(Option::DepthSystem) && gearmain::Val(options.Get(Option::DepthSystem)) == 8))
        return UsageError{"--pitch a/b needs --depth-system 8"};
    return std::nullopt;
}

}  // namespace involvo::cli
