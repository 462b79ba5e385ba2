// The input screen driven as a person uses it: typing into the fields, leaving
// them, choosing menu items and list entries, answering message boxes.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/headless.h"
#include "shell/application.h"

namespace involvo::testing {

using Entries = std::vector<std::pair<Control, std::string>>;

class InputScreen : public ::testing::Test {
protected:
    InputScreen() { Restart(); }

    // A fresh program, for each row of a table.
    void Restart() {
        session_.reset();
        session_ = std::make_unique<Session>();
    }
    gearmain::GearMain& gear() { return session_->gear; }
    HeadlessPlatform& platform() { return session_->platform; }
    Application& app() { return session_->app; }
    HeadlessView& screen() { return *session_->platform.ViewOf(FormId::FrmMain); }

    // Types into a field and leaves it with Tab.
    void Enter(Control field, const std::string& keys) {
        screen().Type(field, keys);
        screen().Leave();
    }
    void EnterAll(const Entries& entries) {
        for (const auto& [field, keys] : entries) Enter(field, keys);
    }
    void EnterGear(const std::string& teeth, const std::string& pitch) { EnterAll({{ctl::InputNT, teeth}, {ctl::InputDP, pitch}}); }
    std::string Text(Control control) { return screen().Text(control); }
    void Calculate() { screen().Press(ctl::CmdCalc); }

    std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& m : platform().Messages()) texts.push_back(m.text);
        return texts;
    }
    bool Shown(const std::string& text) {
        for (const auto& m : platform().Messages())
            if (m.text == text) return true;
        return false;
    }
    bool PageOpen() { return app().IsLoaded(FormId::FrmOutput1) || app().IsLoaded(FormId::FrmHelical1); }

private:
    struct Session {
        Session() : app(gear, platform) { app.StartUpWithoutSplash(); }
        gearmain::GearMain gear;
        HeadlessPlatform platform;
        Application app;
    };
    std::unique_ptr<Session> session_;
};

}  // namespace involvo::testing
