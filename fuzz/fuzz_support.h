// Helpers shared by the fuzz targets.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace involvo::fuzz {

// True when a text shows a not-a-number or an infinity the way a number writer
// would print one: "nan", "-nan", "inf", "INF", "1.#INF", "Infinity" standing
// as a word of its own (so "Information" does not count).
bool ShowsNanOrInf(std::string_view text);

// Aborts with the message and the text when the condition does not hold, so
// libFuzzer records the input as a crash.
void Require(bool condition, const char* what, std::string_view text = {});
[[noreturn]] void Fail(const std::string& what, std::string_view text = {});

// A valid printout options file in a private temporary folder (removed at
// exit), for the program to start from without writing into the working
// directory on every input.
std::filesystem::path PrivateOptionsFile();

}  // namespace involvo::fuzz
