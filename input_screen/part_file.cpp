#include "input_screen/part_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <nlohmann/json.hpp>

#include "engine/features.h"
#include "engine/inspection.h"
#include "shell/mod_settings.h"
#include "shell/settings_port.h"
#include "shell/whole_file.h"

#if __has_include(<fcntl.h>) && __has_include(<unistd.h>) && __has_include(<sys/stat.h>)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define INVOLVO_POSIX_FILES 1
#endif

namespace involvo {

namespace fs = std::filesystem;
using gearmain::IsPlainNumber;
using gearmain::Trim;
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

namespace {

// A part file takes a few hundred bytes; anything past this is no part file and
// is not read into memory.
constexpr std::uintmax_t kLargestPartFile = 1 << 20;

constexpr const char* kModes[] = {"pins", "thickness", "span"};

constexpr const char* kRecentSection = "RecentParts";

std::string Quoted(const std::string& key) { return "\"" + key + "\""; }

// ---- Values of the file ----

// A JSON number written as the number a user would type: 24, 0.1728, 20.5.
std::string NumberText(const Json& value) {
    if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
    if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value.get<double>(), std::chars_format::fixed);
    if (result.ec != std::errc()) return "";
    return std::string(buffer, result.ptr);
}

// A value given as a text or a number; nothing for anything else.
std::optional<std::string> TextOf(const Json& value) {
    if (value.is_string()) return Trim(value.get<std::string>());
    if (value.is_number()) return NumberText(value);
    return std::nullopt;
}

bool IsPair(const std::string& text, char separator, bool signAllowed) {
    const size_t at = text.find(separator);
    if (at == std::string::npos) return IsPlainNumber(text, signAllowed);
    return IsPlainNumber(text.substr(0, at), signAllowed) && IsPlainNumber(text.substr(at + 1), signAllowed);
}

bool IsWholeNumber(const std::string& text) {
    return IsPlainNumber(text, false) && text.find('.') == std::string::npos;
}

template <size_t N>
bool OneOf(const std::string& text, const char* const (&list)[N]) {
    return std::any_of(std::begin(list), std::end(list), [&](const char* item) { return text == item; });
}

// Checks one entry as its field would take it; what is wrong with it, or "".
std::string EntryProblem(const std::string& key, const std::string& text) {
    auto must = [&](const char* what) { return Quoted(key) + " must be " + what; };
    if (key == "teeth") return IsWholeNumber(text) ? "" : must("a whole number");
    if (key == "pitch") return IsPair(text, '/', false) ? "" : must("a number, or a fraction a/b");
    if (key == "value") return IsPair(text, '/', true) ? "" : must("a number, or a band \"a / b\"");
    if (key == "od-change") return IsPlainNumber(text, true) ? "" : must("a number");
    if (key == "quality") return text == "None" || IsWholeNumber(text) ? "" : must("None or a whole number");
    if (key == "mode") return OneOf(text, kModes) ? "" : must("pins, thickness or span");
    if (key == "feature") return OneOf(text, gearmain::feature::kAll) ? "" : must("one of the input features");
    if (key == "depth-system")
        return IsWholeNumber(text) && text.size() <= 2 && std::stoi(text) >= 1 && std::stoi(text) <= 9
                   ? ""
                   : must("a whole number 1 to 9");
    return IsPlainNumber(text, false) ? "" : must("a number");
}

std::optional<bool> FlagOf(const Json& value) {
    if (value.is_boolean()) return value.get<bool>();
    std::optional<std::string> text = TextOf(value);
    if (!text) return std::nullopt;
    if (*text == "1" || *text == "true" || *text == "yes") return true;
    if (*text == "0" || *text == "false" || *text == "no") return false;
    return std::nullopt;
}

// The readings: a list of numbers (or texts of numbers), or one text as the
// command line takes it.
std::optional<std::vector<std::string>> ReadingsOf(const Json& value, std::string& problem) {
    std::vector<std::string> readings;
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        gearmain::ReadingList list = gearmain::ParseReadings(text);
        if (!list.ok() && !Trim(text).empty()) {
            problem = "\"readings\": " + list.error;
            return std::nullopt;
        }
        readings = std::move(list.texts);
        return readings;
    }
    if (!value.is_array()) {
        problem = "\"readings\" must be a list of numbers";
        return std::nullopt;
    }
    for (const Json& item : value) {
        std::optional<std::string> text = TextOf(item);
        if (!text || !gearmain::ReadingValue(*text)) {
            problem = "\"readings\" must be a list of numbers";
            return std::nullopt;
        }
        readings.push_back(*text);
    }
    return readings;
}

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." says
// where, after its prefix.
std::string ParseProblem(const std::string& what) {
    for (const char* marker : {"parse error at ", "parse error: "}) {
        const size_t at = what.find(marker);
        if (at != std::string::npos) return what.substr(at + std::strlen(marker));
    }
    const size_t bracket = what.find("] ");
    return bracket == std::string::npos ? what : what.substr(bracket + 2);
}

// ---- Files ----

// The whole text of a regular file of at most kLargestPartFile bytes; the
// reason when there is none.
std::optional<std::string> ReadWhole(const fs::path& path, std::string& text) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) return ec.message();
    if (!fs::is_regular_file(status)) return "it is not a file";
#ifdef INVOLVO_POSIX_FILES
    // Opened without waiting (a pipe put in the file's place after the look
    // above would otherwise hold the program), then looked at again.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return SystemReason(errno);
    struct stat info {};
    std::optional<std::string> reason;
    if (::fstat(fd, &info) != 0) reason = SystemReason(errno);
    else if (!S_ISREG(info.st_mode)) reason = "it is not a file";
    else if (static_cast<std::uintmax_t>(info.st_size) > kLargestPartFile) reason = "it is too large for a part file";
    char block[4096];
    while (!reason) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) reason = SystemReason(errno);
        else if (n == 0) break;
        else text.append(block, static_cast<size_t>(n));
        if (text.size() > kLargestPartFile) reason = "it is too large for a part file";
    }
    ::close(fd);
    return reason;
#else
    std::ifstream in(path, std::ios::binary);
    if (!in) return "it cannot be read";
    char block[4096];
    while (text.size() <= kLargestPartFile && in.read(block, sizeof block).gcount() > 0)
        text.append(block, static_cast<size_t>(in.gcount()));
    if (in.bad()) return "it cannot be read";
    if (text.size() > kLargestPartFile) return "it is too large for a part file";
    return std::nullopt;
#endif
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return (ec ? fs::path(path) : absolute).lexically_normal().string();
}

}  // namespace

std::map<std::string, std::string> Part::Options() const {
    std::map<std::string, std::string> options = entries;
    if (internal) options["internal"] = "";
    return options;
}

Part PartOf(const EntryTexts& texts, const gearmain::GearMain& gear, std::vector<std::string> readings) {
    Part part;
    auto put = [&](const char* key, const std::string& text) {
        std::string trimmed = Trim(text);
        if (!trimmed.empty()) part.entries[key] = trimmed;
    };
    put("teeth", texts.teeth);
    put("pitch", texts.pitch);
    put("pressure-angle", texts.pressureAngle);
    put("helix", texts.helix);
    if (gear.CalcMode >= 1 && gear.CalcMode <= 3) put("mode", kModes[gear.CalcMode - 1]);
    put("feature", texts.feature);
    put("value", texts.featureValue);
    put("pin", texts.pin);
    put("od-change", texts.odChange);
    put("face-width", texts.faceWidth);
    put("quality", texts.quality);
    const int depthSystem = gear.DepthSystem == 0 ? 1 : gear.DepthSystem;
    put("depth-system", std::to_string(depthSystem));
    if (depthSystem == 9) put("cutter-depth", gear.CutterDepthText);
    part.internal = gear.GearType == 2;
    part.partNumber = Trim(gear.PartNumber);
    part.readings = std::move(readings);
    return part;
}

std::string PartFileText(const Part& part) {
    OrderedJson file = OrderedJson::object();
    for (const char* key : kPartKeys) {
        const std::string name = key;
        if (name == "internal") {
            file[name] = part.internal;
        } else if (name == "part-number") {
            if (!part.partNumber.empty()) file[name] = part.partNumber;
        } else if (name == "readings") {
            if (!part.readings.empty()) file[name] = part.readings;
        } else if (auto it = part.entries.find(name); it != part.entries.end()) {
            if (name == "depth-system" && IsWholeNumber(it->second)) file[name] = std::stoi(it->second);
            else file[name] = it->second;
        }
    }
    // A text that is not UTF-8 (a part number from elsewhere) is written with
    // the replacement character rather than not at all.
    return file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

PartParse ParsePart(std::string_view text) {
    PartParse result;
    Json file;
    try {
        file = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& e) {
        result.problem = ParseProblem(e.what());
        return result;
    }
    if (!file.is_object()) {
        result.problem = "it holds no object of keys and values";
        return result;
    }
    Part part;
    for (const char* key : kPartKeys) {
        const auto it = file.find(key);
        if (it == file.end() || it->is_null()) continue;
        const std::string name = key;
        if (name == "internal") {
            std::optional<bool> flag = FlagOf(*it);
            if (!flag) {
                result.problem = "\"internal\" must be true or false";
                return result;
            }
            part.internal = *flag;
        } else if (name == "readings") {
            auto readings = ReadingsOf(*it, result.problem);
            if (!readings) return result;
            part.readings = std::move(*readings);
        } else {
            std::optional<std::string> value = TextOf(*it);
            if (!value) {
                result.problem = Quoted(name) + " must be a text or a number";
                return result;
            }
            if (value->empty()) continue;
            if (name == "part-number") {
                part.partNumber = *value;
                continue;
            }
            if (std::string problem = EntryProblem(name, *value); !problem.empty()) {
                result.problem = problem;
                return result;
            }
            part.entries[name] = *value;
        }
    }
    result.part = std::move(part);
    return result;
}

PartRead ReadPartFile(const fs::path& path) {
    PartRead result;
    std::string text;
    if (std::optional<std::string> reason = ReadWhole(path, text)) {
        result.message = "The part file " + path.string() + " could not be opened (" + *reason + ").";
        return result;
    }
    PartParse parse = ParsePart(text);
    if (!parse.part) {
        result.message = "The file " + path.string() + " is not a part file (" + parse.problem + ").";
        return result;
    }
    result.part = std::move(parse.part);
    return result;
}

std::optional<std::string> WritePartFile(const fs::path& path, const Part& part) {
    if (std::optional<std::string> reason = WriteFileWhole(path, PartFileText(part)))
        return "The part could not be saved in the file " + path.string() + " (" + *reason + ").";
    return std::nullopt;
}

fs::path WithPartSuffix(fs::path path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != kPartSuffix) path += kPartSuffix;
    return path;
}

std::vector<std::string> RememberPart(std::vector<std::string> recent, const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    recent = ForgetPart(std::move(recent), absolute);
    recent.insert(recent.begin(), absolute);
    if (recent.size() > kRecentParts) recent.resize(kRecentParts);
    return recent;
}

std::vector<std::string> ForgetPart(std::vector<std::string> recent, const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    std::erase_if(recent, [&](const std::string& item) { return AbsolutePath(item) == absolute; });
    return recent;
}

std::string RecentPartCaption(size_t index, const std::string& path) {
    std::string name = fs::path(path).filename().string();
    std::string caption = "&" + std::to_string(index + 1) + " ";
    for (char c : name) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::vector<std::string> LoadRecentParts(SettingsPort& settings) {
    std::vector<std::string> recent;
    for (size_t i = 1; i <= kRecentParts; ++i) {
        std::optional<std::string> path = settings.GetSetting(modSettings::kApplication, kRecentSection, "Part" + std::to_string(i));
        if (path && !path->empty() &&
            std::find(recent.begin(), recent.end(), *path) == recent.end())
            recent.push_back(*path);
    }
    return recent;
}

bool SaveRecentParts(SettingsPort& settings, const std::vector<std::string>& recent) {
    bool saved = true;
    for (size_t i = 0; i < kRecentParts; ++i)
        saved = settings.SaveSetting(modSettings::kApplication, kRecentSection, "Part" + std::to_string(i + 1),
                                     i < recent.size() ? recent[i] : std::string()) &&
                saved;
    return saved;
}

}  // namespace involvo
