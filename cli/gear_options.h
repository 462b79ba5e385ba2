// The options of one gear, as the command line or a batch row gives them: by
// their long name without the dashes ("teeth", "pitch", "internal", ...).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "printing/printout_options.h"

namespace involvo::cli {

// A usage error: unknown option, missing or unreadable value.
struct UsageError {
    std::string text;
};

// Every option of a gear. The order is that of their names, in which their
// values are checked.
enum class Option : uint8_t {
    CutterDepth,    // cutter-depth
    DepthSystem,    // depth-system
    FaceWidth,      // face-width
    Feature,        // feature
    Helix,          // helix
    Internal,       // internal (a flag)
    Mode,           // mode
    ODChange,       // od-change
    PrintoutList,   // options: the printout options of the sheet
    Pin,            // pin
    Pitch,          // pitch
    PressureAngle,  // pressure-angle
    Quality,        // quality
    Teeth,          // teeth
    Value,          // value
};
inline constexpr size_t kGearOptionCount = static_cast<size_t>(Option::Value) + 1;

// The long name of an option, without the dashes.
const char* OptionName(Option option);
// The option of a long name; nothing for a name that is no option.
std::optional<Option> OptionNamed(std::string_view name);
// An option that takes no value.
constexpr bool IsFlag(Option option) { return option == Option::Internal; }

// The options given for one gear. Clearing keeps the room of the texts, so a
// batch reuses one for row after row without allocating.
class GearOptions {
public:
    void Set(Option option, std::string_view value) {
        auto& text = values_[static_cast<size_t>(option)];
        text.assign(value.data(), value.size());
        given_ |= Bit(option);
    }
    // By long name; false for a name that is no option.
    bool Set(std::string_view name, std::string_view value) {
        std::optional<Option> option = OptionNamed(name);
        if (option) Set(*option, value);
        return option.has_value();
    }
    bool Has(Option option) const { return (given_ & Bit(option)) != 0; }
    const std::string& Get(Option option) const { return values_[static_cast<size_t>(option)]; }
    void Clear() { given_ = 0; }

private:
    static constexpr uint32_t Bit(Option option) { return uint32_t{1} << static_cast<int>(option); }
    std::array<std::string, kGearOptionCount> values_;
    uint32_t given_ = 0;
};

// Checks the values, in the order of the option names; the message of the
// first problem, or nothing.
std::optional<UsageError> CheckOptions(const GearOptions& options);

// The printout options of --options: "all", "none", or numbers and ranges of 1
// to 18 ("1-12,14"); nothing when the list is not one of those.
std::optional<OptionValues> OptionList(const std::string& text);

}  // namespace involvo::cli
