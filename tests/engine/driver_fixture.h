// A gear state as the input screen leaves it before a calculation, with what
// the screen hands the calculation beside it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "engine/numbers.h"

namespace enginetest {

inline float BasicThickness(float pitch) { return static_cast<float>(3.14159265 / pitch / 2); }

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        gear.StartUp();
        input.faceWidthText = "1.00000";
    }

    void Gear(int16_t mode, int16_t type, float teeth, float pitch, float pa, float helix = 0) {
        gear.CalcMode = mode;
        gear.GearType = type;
        gear.NumTeeth = teeth;
        gear.NormalDP = pitch;
        gear.NormalPA = pa;
        gear.HelixAngle = helix;
    }

    // The feature list's text and the value box, read as the value box does it:
    // one number, or "a / b" in the order typed.
    void Feature(const std::string& feature, const std::string& text) {
        gear.InputFeature = input.feature = feature;
        const size_t slash = text.find('/');
        const float first = static_cast<float>(gearmain::Val(text.substr(0, slash)));
        const float second = slash == std::string::npos ? 0.0f : static_cast<float>(gearmain::Val(text.substr(slash + 1)));
        if (slash == std::string::npos || gear.FeatureValue == 0) gear.FeatureValue = first;
        gear.Thick1 = gear.Measure1 = gear.Backlash1 = first;
        gear.Thick2 = gear.Measure2 = gear.Backlash2 = second;
        input.featureRange = slash != std::string::npos;
    }

    // The pin box holds the pin diameter or the number of teeth spanned.
    void Pin(float value) { gear.PinDiameter = gear.TeethSpanned = value; }
    void FaceWidth(const std::string& text) { input.faceWidthText = text; }
    void Run() { report = gear.CalculateGear(input); }

    // What the run has to tell the user: its fault, then its pin warnings.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        if (report.fault) texts.push_back(report.fault->message);
        for (const auto& w : report.pinWarnings) texts.push_back(w.text);
        return texts;
    }

    gearmain::GearMain gear;
    gearmain::CalculationInput input;
    gearmain::CalculationReport report;
};

}  // namespace enginetest
