// The program on the headless platform, with the gear state and the input
// screen's fields set directly, for the result-page tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/gearmain.h"
#include "input_screen/entry_texts.h"
#include "platform/headless.h"
#include "result_pages/page_builders.h"
#include "result_pages/result_pages.h"
#include "shell/application.h"

namespace involvo::testing {


class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.StartUpWithoutSplash();
        platform.ClearRecords();
        gear.HintsChanged = 0;
    }
    HeadlessView& Main() { return *platform.ViewOf(FormId::FrmMain); }
    HeadlessView& Page(FormId id) {
        if (HeadlessView* view = platform.ViewOf(id)) return *view;
        throw std::runtime_error(std::string(FormName(id)) + " is not loaded");
    }
    void Field(Control control, const std::string& text) { Main().SetText(control, text); }

    // Results and fields, each recognisable on the page.
    void FillResults() {
        gear.ThickText = "0.155000 / 0.157000";
        gear.MeasureText = "2.642000";
        gear.SpanText = "1.075000";
        gear.PinContactText = "2.468000";
        gear.RadialText = "1.321000";
        gear.ChordalText = "0.156900";
        gear.ChordalInText = "0.157100";
        gear.PinDiameter = 0.1728f;
        gear.TeethSpanned = 4;
        gear.KFactor = 1.234564f;
        for (auto [field, text] : {std::pair{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputPA, "20"},
                                   {ctl::InputHA, "0.000000"}, {ctl::InputAddendumMod, "0.000000"},
                                   {ctl::InputCTT_MOW, "0.150000 / 0.152000"}, {ctl::InputPINDIA, "0.216"}})
            Field(field, text);
    }

    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app{gear, platform};
};

// The gear state and the field texts alone, for the builders of the contents.
class ContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        gear.StartUp();
        gear.GearType = 1;
    }
    // Results and fields, each recognisable in a row (as PagesTest::FillResults).
    void FillResults() {
        gear.ThickText = "0.155000 / 0.157000";
        gear.MeasureText = "2.642000";
        gear.SpanText = "1.075000";
        gear.PinContactText = "2.468000";
        gear.RadialText = "1.321000";
        gear.ChordalText = "0.156900";
        gear.ChordalInText = "0.157100";
        gear.PinDiameter = 0.1728f;
        gear.TeethSpanned = 4;
        gear.KFactor = 1.234564f;
        texts.teeth = "24";
        texts.pitch = "10";
        texts.pressureAngle = "20";
        texts.helix = "0.000000";
        texts.odChange = "0.000000";
        texts.featureValue = "0.150000 / 0.152000";
        texts.pin = "0.216";
    }

    gearmain::GearMain gear;
    EntryTexts texts;
};

inline const std::string kCTT = "Circular Tooth Thickness", kCSW = "Circular Space Width",
                         kChT = "Chordal Tooth Thickness", kChS = "Chordal Space Width",
                         kDOP = "Dimension Over Pins", kDBP = "Dimension Between Pins", kPD = "Pin Diameter",
                         kPCD = "Pin Contact Diameter", kRAD = "Radial Dimension (1) pin",
                         kRAP = "Radial Dimension (1) Pin", kCB = "Contributing Backlash",
                         kSPAN = "Span Meas. Over (4) Teeth", kKF = "K Factor", kDOB = "Dimension Over Balls",
                         kDBB = "Dimension Between Balls", kDB1 = "Dimension Between Ball", kBD = "Ball Diameter",
                         kBCD = "Ball Contact Diameter", kRAB = "Radial Dimension (1) Ball",
                         kSpanMeasurement = "Span Measurement";

// The values of FillResults as the rows show them.
inline const std::string vF = "0.150000 / 0.152000", vP = "0.216", vPDs = ".1728", vPDf = "0.17280",
                         vT = "0.155000 / 0.157000", vM = "2.642000", vS = "1.075000", vC = "2.468000",
                         vR = "1.321000", vH = "0.156900", vI = "0.157100", vKF = "1.23456";

}  // namespace involvo::testing
