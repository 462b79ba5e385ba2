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
// In a command, @DATA@ is the folder of the files and @TMP@ a folder of the
// file's own, emptied before it; "< FILE" at the end is standard input. The
// tool runs in this process, or as the built tool after "$ @TOOL@".
// INVOLVO_GOLDEN_UPDATE=1 rewrites the outputs of the files (then review the diff).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
const fs::path kTemp = fs::temp_directory_path() / ("involvo-golden-" + std::to_string(::getpid()));

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
    for (std::string& arg : args)
        for (const auto& [mark, path] : {std::pair{std::string("@DATA@"), kGolden}, std::pair{std::string("@TMP@"), kTemp}})
            if (const size_t at = arg.find(mark); at != std::string::npos) arg.replace(at, mark.size(), path.string());
    return args;
}

// What the tool writes for one command line, in the files' form.
std::string Outputs(const std::string& commandLine) {
    std::vector<std::string> args = SplitArguments(commandLine);
    std::string input;
    if (args.size() >= 2 && args[args.size() - 2] == "<") {
        input = args.back();
        args.resize(args.size() - 2);
    }
    args.insert(args.begin(), "involvo-cli");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int savedInput = input.empty() ? -1 : ::dup(STDIN_FILENO);
    if (!input.empty()) {
        const int fd = ::open(input.c_str(), O_RDONLY);
        EXPECT_GE(fd, 0) << input;
        ::dup2(fd, STDIN_FILENO);
        ::close(fd);
    }
    std::ostringstream out, err;
    int status;
    if (args[1] == "@TOOL@") {
        // The built tool, for the files its Qt module writes (PDF files, pictures).
        std::string command = INVOLVO_CLI_PATH;
        for (size_t i = 2; i < args.size(); ++i) command += " '" + args[i] + "'";
        const fs::path o = kTemp / "stdout", e = kTemp / "stderr";
        status = WEXITSTATUS(std::system((command + " >" + o.string() + " 2>" + e.string()).c_str()));
        out << std::ifstream(o).rdbuf();
        err << std::ifstream(e).rdbuf();
    } else {
        status = involvo::cli::Main(static_cast<int>(args.size()), argv.data(), out, err);
    }
    if (savedInput >= 0) {
        ::dup2(savedInput, STDIN_FILENO);
        ::close(savedInput);
    }
    std::string text = out.str();
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (status != 0) text += "[exit " + std::to_string(status) + "]\n";
    std::istringstream errLines(err.str());
    for (std::string line; std::getline(errLines, line);) text += "[stderr] " + line + "\n";
    // The folders' names back as the marks, so the files hold no paths.
    for (const auto& [mark, path] : {std::pair{"@DATA@", kGolden.string()}, std::pair{"@TMP@", kTemp.string()}})
        for (size_t at; (at = text.find(path)) != std::string::npos;) text.replace(at, path.size(), mark);
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

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, OutputsAsChecked) {
    const fs::path path = kGolden / (GetParam() + ".txt");
    GoldenFile file = Read(path);
    ASSERT_FALSE(file.commands.empty()) << path;
    fs::remove_all(kTemp);
    fs::create_directories(kTemp);
    const bool update = std::getenv("INVOLVO_GOLDEN_UPDATE") != nullptr;
    std::string rewritten = file.notes;
    for (const Command& command : file.commands) {
        const std::string actual = Outputs(command.line);
        rewritten += "$ " + command.line + "\n" + actual;
        if (!update) {
            EXPECT_EQ(command.expected, actual)
                << path.filename().string() << ":" << command.lineNumber << ": $ " << command.line;
        }
    }
    fs::remove_all(kTemp);
    if (update) std::ofstream(path, std::ios::binary) << rewritten;
}

INSTANTIATE_TEST_SUITE_P(Files, Golden, testing::ValuesIn(GoldenNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(Tool, DrawsThePictureOnAPageOf800By920) {
    fs::create_directories(kTemp);
    const fs::path svg = kTemp / "p.svg";
    ASSERT_EQ(std::system((INVOLVO_CLI_PATH " --teeth 24 --pitch 10 --picture " + svg.string() + " >/dev/null").c_str()), 0);
    std::ostringstream text;
    text << std::ifstream(svg).rdbuf();
    EXPECT_NE(text.str().find("viewBox=\"0 0 800 920\""), std::string::npos);
    fs::remove_all(kTemp);
}

}  // namespace
