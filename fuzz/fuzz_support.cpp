#include "fuzz/fuzz_support.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "printing/printout_options.h"

#include <unistd.h>

namespace involvo::fuzz {

namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool WordAt(std::string_view text, size_t at, std::string_view word) {
    if (at + word.size() > text.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
    return true;
}

}  // namespace

bool ShowsNanOrInf(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && IsLetter(text[i - 1])) continue;
        for (std::string_view word : {std::string_view("infinity"), std::string_view("nan"), std::string_view("inf")}) {
            if (!WordAt(text, i, word)) continue;
            size_t end = i + word.size();
            if (end == text.size() || !IsLetter(text[end])) return true;
        }
    }
    return false;
}

void Fail(const std::string& what, std::string_view text) {
    std::fprintf(stderr, "property failed: %s\n  text: \"%.*s\"\n", what.c_str(), static_cast<int>(text.size()),
                 text.data());
    std::abort();
}

void Require(bool condition, const char* what, std::string_view text) {
    if (!condition) Fail(what, text);
}

std::filesystem::path PrivateOptionsFile() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::temp_directory_path(ec) / ("involvo-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(folder, ec);
    static fs::path made;
    made = folder;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(made, ignored);
    });
    fs::path file = folder / kOptionsFileName;
    OptionValues values{};
    for (int i = 1; i <= kOptionCount; ++i) values[i] = i % 2;
    values[kOptWholeDepth] = 2;  // a greyed box, as an old file may hold
    WriteOptionsFile(file, values);
    return file;
}

}  // namespace involvo::fuzz
