// FrmMain: the input screen, the program's main window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

// What UpdateHints remembers of its last complete run, to see what the user
// changed since: a changed feature, gear type, pitch or O.D. change makes it
// clear and refill the fields that depend on it.
struct HintMemory {
    bool used = false;
    int16_t mode = 0;
    int16_t gearType = 0;
    std::string feature;
    std::string standard;
    float teeth = 0;
    float pitch = 0;
    float pressureAngle = 0;
    float odChange = 0;
};

class FrmMain : public Presenter, public gearmain::Port {
public:
    FrmMain(gearmain::GearMain& gear, Forms& forms);
    ~FrmMain() override;

    // ---- Presenter ----
    void Load() override;
    void Activate() override;
    void Unload() override;
    bool KeyPress(const std::string& control, int key) override;
    bool KeyDown(int keyCode) override;
    void GotFocus(const std::string& control) override;
    void LostFocus(const std::string& control) override;
    void Change(const std::string& control) override;
    void Click(const std::string& control) override;
    void MouseMove(const std::string& control) override;

    // ---- The engine's port: message boxes titled "Involvo", focus, texts ----
    gearmain::MsgAnswer MessageBox(const std::string& text, gearmain::MsgIcon icon,
                                   gearmain::MsgButtons buttons) override;
    void SetFocus(const std::string& control) override;
    std::string ControlText(const std::string& control) override;

    // Keeps the screen consistent after every entry: the hints, the refills.
    void UpdateHints();

private:
    // ---- Building the window ----
    void CreateControls();
    void CreateMenus();
    // Hooks for the services that come with the application shell.
    void SetHelpFile();

    // ---- Reading the fields ----
    void ReadPitch();
    void ReadFeatureValue();
    void PitchEdited();
    void CopyHint(const std::string& label);

    // ---- Calculate ----
    void Calculate();

    // ---- Modes and gear type ----
    void ModeDimensionOverPins();
    void ModeToothThickness();
    void ModeSpan();
    void SelectGearType(const std::string& button);
    void ExternalSelected();
    void InternalSelected();
    void FeatureChosen();
    void FileMenuOpening();
    void SetFeatureList(const std::vector<std::string>& items, const std::string& text);
    void SetModeCaption();

    // ---- Depth systems ----
    void ChooseDepthSystem(int index);
    void CheckDepthItem(int index);
    void AskCutterDepth();

    // ---- UpdateHints, step by step ----
    void HintStandardDiameter();
    void HintThicknessChange();
    void HintIdealPin(std::optional<double> basic, double basicThickness);

    gearmain::GearMain& gear_;
    Forms& forms_;
    HintMemory hintMemory_;
};

// The key filter of every text box: 1 when the key is in the allowed characters
// (empty means ".0123456789") or is Backspace, else 0.
int16_t AcceptKey(const std::string& allowed, int16_t key);

}  // namespace involvo
