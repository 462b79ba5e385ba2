// The printout options: which items the gear data sheet includes, and whether
// the print commands ask for a part number. Eighteen on/off choices kept in the
// gear state's PrintoutChoices (indices 1 to 18) and in the file
// CheckboxValues.dat of the working directory, edited in the dialog
// FrmChecklist1.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

inline constexpr int kOptionCount = gearmain::kPrintoutOptions;

// The options by their index in the dialog's Check array.
enum PrintoutOption : int {
    kOptTolerances = 1,
    kOptOutsideDiameter = 2,
    kOptRootBasic = 3,
    kOptRootFinished = 4,
    kOptAddendum = 5,
    kOptDedendum = 6,
    kOptWholeDepth = 7,
    kOptWorkingDepth = 8,
    kOptTipLand = 9,
    kOptChordal = 10,
    kOptCircularPitch = 11,
    kOptKFactor = 12,
    kOptTransverse = 13,
    kOptPinContact = 14,
    kOptBasePitch = 15,
    kOptRadial = 16,
    kOptAxialPitch = 17,
    kOptPartNumber = 18,
};

// The caption of check box i (1 to 18); "" outside.
const char* OptionCaption(int index);

// Option values by index; element 0 is unused. 1 = ticked, 0 = not; 2 (a greyed
// box) is a valid state of a check box and is kept as it was read.
using OptionValues = std::array<int16_t, kOptionCount + 1>;

OptionValues OptionsOf(const gearmain::GearMain& gear);
void SetOptions(gearmain::GearMain& gear, const OptionValues& values);

// ---- The options file ----
inline constexpr const char* kOptionsFileName = "CheckboxValues.dat";
// The file is CheckboxValues.dat in the working directory, unless the
// application is given another (Application::SetPrintoutOptionsFile).

// The file's text: one value per line, CR LF after each.
std::string OptionsFileText(const OptionValues& values);
// Reads the file's text: groups of eighteen values, each ended by a line end or
// a comma, as long as text is left; the last complete group counts. Nothing when
// the text is damaged: no group at all, a group that ends early, a value that is
// not a number or not a check box state (0, 1 or 2).
std::optional<OptionValues> ParseOptions(std::string_view text);
// Writes the file whole: into a temporary file beside it ("name.<n>.tmp"),
// which then replaces the old one, so that a failure never leaves half a file. The reason in words
// when it failed, nothing when it succeeded.
std::optional<std::string> WriteOptionsFile(const std::filesystem::path& path, const OptionValues& values);
// The start-up read: the options of the file; a missing or damaged file is
// replaced by one with every option off (silently, also when that fails). What
// is no regular file (a folder, a pipe, a device) or cannot be read is left
// alone, with every option off; a file of more than a megabyte is damaged.
OptionValues ReadOptionsAtStartUp(const std::filesystem::path& path);

// The printing part of the start-up: the options dialog is loaded hidden, and the
// options are read from the file into the gear state and into its check boxes.
void StartUpPrinting(Forms& forms, gearmain::GearMain& gear, const std::filesystem::path& file);
// The input screen's "Printout Options": the dialog shows the options in force.
void OpenPrintoutOptions(Forms& forms, gearmain::GearMain& gear);

// The printout-options dialog. OK stores the ticks in the gear state and the
// file; Cancel, and activating another window, discard them.
class FrmChecklist1 : public Presenter {
public:
    // OK saves the options into the file (the application's, which it may
    // change while the dialog lives).
    FrmChecklist1(gearmain::GearMain& gear, Forms& forms, const std::filesystem::path& file);

    void Load() override;
    void Deactivate() override;
    void Unload() override;
    void Click(Control control) override;

    // Ticks the boxes as the options say.
    void ShowOptions(const OptionValues& values);
    // The options as the boxes now say.
    OptionValues Ticked() const;

private:
    void CheckAll();
    void Confirm();
    void Close();

    gearmain::GearMain& gear_;
    Forms& forms_;
    const std::filesystem::path& file_;
    // What each box was set to, and whether the user has clicked it since: a
    // greyed box that nobody touched keeps its value.
    OptionValues shown_{};
    std::array<bool, kOptionCount + 1> touched_{};
    bool closing_ = false;
};

}  // namespace involvo
