// Part files: one gear as the input screen holds it, with its part number and
// the last readings taken on it, kept in a small JSON file (suffix .gear).
//
// The keys are the long options of involvo-cli without their dashes, so a part
// file, a row of a batch file and a command line speak one vocabulary:
//
//   {
//     "teeth": "24",
//     "pitch": "10",
//     "mode": "pins",
//     "value": "0.155000 / 0.157000",
//     "pin": "0.1728",
//     "part-number": "A-1234",
//     "readings": ["2.6371", "2.6368", "2.6375", "2.6366"]
//   }
//
// Each entry is the text of its field as the screen shows it. A file may give a
// number as a JSON number, and "internal" as true or false; keys the program
// does not know are passed over.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gearmain.h"
#include "input_screen/entry_texts.h"

namespace involvo {

class SettingsPort;

inline constexpr const char* kPartSuffix = ".gear";

// The keys of a part file, in the order the program writes them.
inline constexpr std::array<const char*, 16> kPartKeys = {
    "teeth",     "pitch",      "pressure-angle", "helix",        "mode",        "internal",
    "feature",   "value",      "pin",            "od-change",    "face-width",  "quality",
    "depth-system", "cutter-depth", "part-number", "readings"};

struct Part {
    // The entries by key, each a text as its field shows it: "teeth", "pitch",
    // "pressure-angle", "helix", "mode" (pins, thickness or span), "feature",
    // "value", "pin", "od-change", "face-width", "quality", "depth-system" (1 to
    // 9), "cutter-depth". An entry the part does not give is absent.
    std::map<std::string, std::string> entries;
    bool internal = false;
    std::string partNumber;
    std::vector<std::string> readings;  // as typed, in the order taken

    bool operator==(const Part&) const = default;
    // The entries as involvo-cli's options: the entries above, and "internal"
    // (a flag, "") when set.
    std::map<std::string, std::string> Options() const;
};

// The part of the input screen as it stands: its field texts, the mode, gear
// type, depth system and cutter depth of the gear state, the part number, and
// the readings given. Empty fields are left out.
Part PartOf(const EntryTexts& texts, const gearmain::GearMain& gear, std::vector<std::string> readings = {});

// ---- The file ----

// The text of a part file: a JSON object, two blanks an indent, one key a line.
std::string PartFileText(const Part& part);

// Reads the text of a part file; the part, or why it is not one.
struct PartParse {
    std::optional<Part> part;
    std::string problem;  // e.g. line 3, column 9: syntax error ...; "teeth" must be a whole number
};
PartParse ParsePart(std::string_view text);

// Opens a part file: the part, or the message that says why it could not be
// opened (the file cannot be read, is no file, or is not a part file). Nothing
// is read from what is not a regular file (a pipe or a device would keep the
// program waiting), and nothing from a file larger than a part file can be.
struct PartRead {
    std::optional<Part> part;
    std::string message;
};
PartRead ReadPartFile(const std::filesystem::path& path);

// Saves a part file whole: the text goes into a temporary file beside it,
// which is flushed to the disk and then takes the old file's place, so that a
// failure never leaves half a file. The message that says why it failed, or
// nothing.
std::optional<std::string> WritePartFile(const std::filesystem::path& path, const Part& part);

// The name a part is saved under: the name given, with ".gear" added unless it
// ends in it.
std::filesystem::path WithPartSuffix(std::filesystem::path path);

// ---- Open Recent ----

inline constexpr size_t kRecentParts = 4;

// The list after a part file was opened or saved: that file first (as an
// absolute path), each file once, at most kRecentParts.
std::vector<std::string> RememberPart(std::vector<std::string> recent, const std::string& path);
// The list without a file (one that can no longer be opened).
std::vector<std::string> ForgetPart(std::vector<std::string> recent, const std::string& path);
// The menu item of the entry at index (0 first): "&1 name.gear", an ampersand
// of the name doubled so that it is shown and not taken for a shortcut.
std::string RecentPartCaption(size_t index, const std::string& path);

// The list as the per-user settings keep it: section "RecentParts", keys
// "Part1" to "Part4". Loading passes over empty and missing keys; saving
// clears the keys the list no longer fills. Saving is false when the store
// cannot be written.
std::vector<std::string> LoadRecentParts(SettingsPort& settings);
bool SaveRecentParts(SettingsPort& settings, const std::vector<std::string>& recent);

}  // namespace involvo
