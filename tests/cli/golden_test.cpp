// The command-line tool's outputs for a set of gears, against files whose
// numbers were checked once by hand and by the worked formulas (the comments at
// the head of each file say how). Each file holds commands and their outputs:
//
//   # notes, before the first command
//   $ --teeth 24 --pitch 10 --json         the options, "quoted" where blanks are part of one
//   ...standard output...
//   [exit 1]                               when the tool did not end with 0
//   [stderr] ...                           each line of its standard error
//
// INVOLVO_GOLDEN_UPDATE=1 rewrites the outputs of the files (then review the diff).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = INVOLVO_GOLDEN_DATA;

std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> args;
    std::string word;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) args.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) args.push_back(word);
    for (std::string& arg : args) {
        const size_t at = arg.find("@DATA@");
        if (at != std::string::npos) arg.replace(at, 6, kGolden.string());
    }
    return args;
}

// What the tool writes for one command line, in the files' form.
std::string Outputs(const std::string& commandLine) {
    std::vector<std::string> args = SplitArguments(commandLine);
    args.insert(args.begin(), "involvo-cli");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    const int status = involvo::cli::Main(static_cast<int>(args.size()), argv.data(), out, err);
    std::string text = out.str();
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (status != 0) text += "[exit " + std::to_string(status) + "]\n";
    std::istringstream errLines(err.str());
    for (std::string line; std::getline(errLines, line);) text += "[stderr] " + line + "\n";
    return text;
}

struct Command {
    std::string line, expected;
    int lineNumber = 0;
};

struct GoldenFile {
    std::string notes;
    std::vector<Command> commands;
};

GoldenFile Read(const fs::path& path) {
    GoldenFile file;
    std::ifstream in(path);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind("$ ", 0) == 0)
            file.commands.push_back({line.substr(2), {}, number});
        else if (file.commands.empty())
            file.notes += line + "\n";
        else
            file.commands.back().expected += line + "\n";
    }
    return file;
}

std::vector<std::string> GoldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kGolden))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The first line where two outputs part, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, x)), moreB = static_cast<bool>(std::getline(b, y));
        if (!moreA && !moreB) return "same";
        if (!moreA || !moreB || x != y)
            return "output line " + std::to_string(line) + "\n  expected: " + (moreA ? x : "(end)") +
                   "\n  actual:   " + (moreB ? y : "(end)");
    }
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputsAsChecked) {
    const fs::path path = kGolden / (GetParam() + ".txt");
    GoldenFile file = Read(path);
    ASSERT_FALSE(file.commands.empty()) << path;
    const bool update = std::getenv("INVOLVO_GOLDEN_UPDATE") != nullptr;
    std::string rewritten = file.notes;
    for (const Command& command : file.commands) {
        const std::string actual = Outputs(command.line);
        rewritten += "$ " + command.line + "\n" + actual;
        if (!update) {
            EXPECT_EQ(command.expected, actual)
                << path.filename().string() << ":" << command.lineNumber << ": $ " << command.line << "\n"
                << FirstDifference(command.expected, actual);
        }
    }
    if (update) std::ofstream(path, std::ios::binary) << rewritten;
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, testing::ValuesIn(GoldenNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
