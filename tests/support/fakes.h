// The settings store and the desktop of the headless program: set up by the
// tests, looked into afterwards, and made to fail on demand.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/headless.h"
#include "shell/desktop_port.h"
#include "shell/settings_port.h"

namespace involvo {
// Readable rectangles in the failure messages.
inline void PrintTo(const TwipsRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
}  // namespace involvo

namespace involvo::testing {

class FakeSettings : public SettingsPort {
public:
    using Key = std::tuple<std::string, std::string, std::string>;

    std::optional<std::string> GetSetting(const std::string& application, const std::string& section,
                                          const std::string& key) override {
        if (throwOnRead || unreadable.count(key)) throw std::runtime_error("the store cannot be read");
        auto it = values.find({application, section, key});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override {
        if (throwOnWrite) throw std::runtime_error("the store is gone");
        ++writes;
        if (!writable || writesLeft == 0) return false;
        if (writesLeft > 0) --writesLeft;
        values[{application, section, key}] = value;
        return true;
    }

    // The text under Involvo / section / key, "" when there is none.
    std::string At(const std::string& section, const std::string& key) const {
        auto it = values.find({"Involvo", section, key});
        return it == values.end() ? std::string() : it->second;
    }
    void Put(const std::string& section, const std::string& key, const std::string& value) {
        values[{"Involvo", section, key}] = value;
    }
    // A window's placement as the program saves it, in whole twips.
    void Store(const std::string& section, const TwipsRect& r, const std::string& maximized = "False") {
        Put(section, "FormLeft", std::to_string(static_cast<long long>(r.left)));
        Put(section, "FormTop", std::to_string(static_cast<long long>(r.top)));
        Put(section, "FormWidth", std::to_string(static_cast<long long>(r.width)));
        Put(section, "FormHeight", std::to_string(static_cast<long long>(r.height)));
        Put(section, "WasMaximized", maximized);
    }

    std::map<Key, std::string> values;
    std::set<std::string> unreadable;  // keys whose reading fails
    bool writable = true, throwOnRead = false, throwOnWrite = false;
    int writesLeft = -1;  // a store that fills up: -1 for no limit
    int writes = 0;
};

class FakeDesktop : public DesktopPort {
public:
    std::optional<WindowPlacement> Placement(FormId form) override {
        auto it = windows.find(form);
        if (it == windows.end()) return std::nullopt;
        return it->second;
    }
    void MoveWindow(FormId form, const TwipsRect& rect) override {
        ++moves;
        WindowPlacement& w = windows[form];
        w.rect.left = rect.left;
        w.rect.top = rect.top;
        if (w.sizable) {
            w.rect.width = rect.width;
            w.rect.height = rect.height;
        }
    }
    void MaximizeWindow(FormId form) override { windows[form].maximized = true; }
    std::vector<TwipsRect> Screens() override { return screens; }

    std::string ProgramFolder() override { return "/opt/involvo/bin"; }
    std::string PathSeparator() override { return "/"; }
    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::string FindProgram(const std::string& name) override {
        auto it = onPath.find(name);
        return it == onPath.end() ? std::string() : it->second;
    }
    bool Launch(const std::string& path) override {
        launched.push_back(path);
        return launchWorks;
    }

    void SetHelpFile(const std::string& path) override { helpFile = path; }
    std::string ShowHelpContents(FormId owner, const std::string& path) override {
        helpOwner = owner;
        if (!files.count(path)) return "No such file or directory";
        helpShown.push_back(path);
        return "";
    }
    std::optional<std::string> MachineSetting(const std::string& key, const std::string& valueName) override {
        auto it = machine.find({key, valueName});
        if (it == machine.end()) return std::nullopt;
        return it->second;
    }

    std::map<FormId, WindowPlacement> windows;
    std::vector<TwipsRect> screens = {{0, 0, 28800, 16200}};  // 1920 x 1080 at 96 dpi
    int moves = 0;
    std::set<std::string> files;
    std::map<std::string, std::string> onPath;
    std::vector<std::string> launched;
    bool launchWorks = true;
    std::string helpFile;
    std::optional<FormId> helpOwner;
    std::vector<std::string> helpShown;
    std::map<std::pair<std::string, std::string>, std::string> machine;
};

// The headless text printer made to fail, to print into a file or to have no
// default printer, with dashes of another width; it keeps each document begun
// as items with their styles too.
class RecordingPrinter : public TextPrinter {
public:
    struct Item { std::string text; bool bold, underline; double size; };
    double dash = 1;
    bool hasDefaultPrinter = true, copiesArePages = false, failStart = false, failEnd = false;
    std::string error, outputFile;
    int newPages = 0;
    std::vector<std::vector<std::vector<Item>>> items;  // of each document begun, line by line

    bool UseDefaultPrinter() override { return hasDefaultPrinter; }
    bool CopiesArePages() const override { return copiesArePages; }
    bool StartDoc() override {
        items.push_back({{}}), bold_ = underline_ = false;
        return TextPrinter::StartDoc() && !failStart;
    }
    void SetBold(bool on) override { bold_ = on; }
    void SetUnderline(bool on) override { underline_ = on; }
    void PrintAt(int column, const std::string& text) override {
        items.back().back().push_back({text, bold_, underline_, FontSize()});
        TextPrinter::PrintAt(column, text);
    }
    void EndLine() override {
        items.back().emplace_back();
        TextPrinter::EndLine();
    }
    void NewPage() override { ++newPages; }
    double TextWidth(const std::string& text) const override {
        return TextPrinter::TextWidth(text) + (dash - 1) * static_cast<double>(std::count(text.begin(), text.end(), '-'));
    }
    bool EndDoc() override { return !failEnd && TextPrinter::EndDoc(); }
    std::string OutputFile() const override { return outputFile; }
    std::string ErrorText() const override { return error; }
    const std::vector<std::string>& Lines(size_t document) const { return Documents().at(document); }

private:
    bool bold_ = false, underline_ = false;
};

// The stores outlive the platform, as the desktop and the settings outlive one
// run of the program.
class ShellPlatform : public HeadlessPlatform {
public:
    ShellPlatform(FakeSettings& settings, FakeDesktop& desktop) : settings_(settings), desktop_(desktop) {}
    SettingsPort* Settings() override { return &settings_; }
    DesktopPort* Desktop() override { return &desktop_; }

private:
    FakeSettings& settings_;
    FakeDesktop& desktop_;
};

}  // namespace involvo::testing
