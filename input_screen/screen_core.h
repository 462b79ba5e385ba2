// The input screen without its window: what leaving a field, clicking a hint,
// editing the pitch, the hint update and the Calculate command do to the gear
// state and to the texts of the fields. The window's presenter (FrmMain) runs
// these over the texts its fields show and shows what they leave; a batch runs
// them over texts of its own, with no window at all.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/gearmain.h"
#include "input_screen/entry_texts.h"

namespace involvo {

// What the hint update remembers of its last complete run, to see what the
// user changed since: a changed feature, gear type, pitch or O.D. change makes
// it clear and refill the fields that depend on it.
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

// What one hint update leaves for the window to show beside the fields.
struct HintsRun {
    enum class Reach {
        NoGear,           // teeth or pitch missing: only the standard diameter hint is emptied
        NoPressureAngle,  // mode 2 without a pressure angle: nothing changes
        MarkerCleared,    // the marker of a failed calculation was cleared, the hints stay
        Complete,
    };
    Reach reach = Reach::NoGear;
    // The caption of the standard O.D. or I.D. hint; nothing when it keeps its
    // caption (a diameter that cannot be computed).
    std::optional<std::string> standardDiameter;
    // An entered cutter depth ended with a new pitch: depth system 1 again.
    bool depthSystemReset = false;
    // From MarkerCleared on: the caption of the pin field.
    std::string pinCaption;
    // Complete runs only: the captions of LabelBasic, LabelBasic2,
    // LabelStandard and LabelBestPin, and whether the standard hint is a number
    // of teeth to span (the ideal pin then has no meaning).
    std::string basic, basicNote, standard, idealPin;
    bool spanCount = false;
};

// The first result page that Calculate opens.
enum class FirstPage { None, Spur, Helical };

// Shows a message and returns the answer (OK for a box without a choice). The
// window shows a box titled "Involvo" and moves the focus as the notice says; a
// batch records the notice and answers OK.
using Ask = std::function<gearmain::MsgAnswer(const gearmain::Notice&)>;

// Asks for a text: the prompt, the title and the text offered; returns the text
// given, or the empty text when cancelled.
using AskText =
    std::function<std::string(const std::string& prompt, const std::string& title, const std::string& offered)>;

// The fields written since the window last looked, one bit per gearmain::Field.
using FieldSet = uint32_t;
constexpr FieldSet Bit(gearmain::Field field) { return FieldSet{1} << static_cast<int>(field); }

// The texts of the fields as the screen opens.
EntryTexts OpeningTexts();

class ScreenCore {
public:
    ScreenCore(gearmain::GearMain& gear, HintMemory& memory, EntryTexts& texts);
    ~ScreenCore();
    ScreenCore(const ScreenCore&) = delete;
    ScreenCore& operator=(const ScreenCore&) = delete;

    // Opening the screen: the first opening makes the gear external and takes
    // the pressure angle from its field.
    void Open();
    // The screen opens afresh over its gear state, hint memory and field texts,
    // which the caller has set back as they were (a batch, gear after gear):
    // nothing written or shown since.
    void Reopen() {
        written_ = 0;
        unshown_.reset();
        basicOffered_ = false;
        held_ = false;
        settle_ = Settle::No;
        settledWhole_ = false;
    }

    // ---- Leaving a field: its text goes into the gear state, the text is
    // rewritten where the screen rewrites it, and the hints follow (except for
    // the face width, the quality and the feature list) ----
    void LeaveTeeth();
    void LeavePitch();          // a pitch fraction a/b sets the depth pitch
    void LeavePressureAngle();
    void LeaveHelix();          // 0 is shown as 0.000000
    void LeaveFeature();        // an emptied list shows the feature again
    void LeaveFeatureValue();   // a value, or a band shown "smaller / larger"
    void LeaveODChange();       // shown and held with five decimals
    void LeavePin();            // the pin diameter, or the number of teeth spanned
    void LeaveFaceWidth();      // shown with five decimals when above 0
    void LeaveQuality();        // "None" is 0
    void Leave(gearmain::Field field);

    // The feature list gets the focus: its text is the input feature.
    void EnterFeature();

    // Each keystroke in the pitch field: the feature value and the pin were
    // chosen for the old pitch (a contributing backlash does not depend on it).
    void EditPitch();

    // A click on a hint label that shows a caption: the basic value into the
    // feature value field, the standard or the ideal pin into the pin field.
    void CopyBasic();
    void CopyStandard();
    void CopyIdealPin();

    // ---- Menus, option buttons and the feature list ----
    // The calculation mode (1 over or between pins, 2 tooth thickness or space
    // width, 3 span measurement): the feature that the mode's list offers, then
    // the hints. Span measurement is for external gears: an internal gear is
    // made external first, under the old mode.
    void ChooseMode(int16_t mode);
    // The gear type (1 external, 2 internal), chosen when it changes: the
    // feature that the other type's list offers, then the hints.
    void ChooseGearType(int16_t gearType);
    // An item chosen from the feature list (its text is the feature's text).
    void ChooseFeature();
    // A depth system of the menu. System 9 asks for the whole depth of the hob
    // or shaper through askDepth and says what it refuses through ask; without
    // an acceptable depth it falls back to system 1.
    void ChooseDepthSystem(int16_t system, const Ask& ask, const AskText& askDepth);
    // The feature list of a mode and gear type.
    static const std::vector<std::string>& FeatureList(int16_t mode, int16_t gearType);

    // The hints beside the fields and the refills of the fields whose basis
    // changed. A hint that cannot be computed keeps its text and says nothing
    // (the calculation reports the entry at fault); it leaves CalcFailed as it
    // was.
    HintsRun UpdateHints();

    // Whether the hint updates compose the captions of the hint labels (on,
    // for the window). A screen without a window (a batch) turns them off:
    // the runs then carry no captions and TakeHints has nothing to show; the
    // gear state and the field texts are the same.
    void ComposeCaptions(bool on) { captions_ = on; }
    // Entering a whole gear at once (a batch row): while held, leaving a field
    // runs no hint update. The hint update that follows then takes the fields
    // as settled, as if each had been left with its update (SettleHints):
    // nothing changed since the last update, so nothing is cleared or
    // refilled, except that the pin field gets the standard pin when the pin
    // was not typed. Whether that settled update computed every hint, the
    // standard pin (when offered to the pin field) included: only then is its
    // state the one the updates between the fields would have left.
    void HoldHints(bool held) { held_ = held; }
    void SettleHints(bool pinTyped) { settle_ = pinTyped ? Settle::KeepPin : Settle::OfferPin; }
    bool SettledHintsWhole() const { return settledWhole_; }

    // Whether the Basic hint offers a value to click: after a complete hint
    // update, unless the feature is the contributing backlash.
    bool BasicOffered() const { return basicOffered_; }

    // The Calculate command: the pin field read, the hints, the checks of the
    // entries, the calculation, its fault or pin warnings, the span limits.
    // Every message goes through ask, in the order the screen shows them.
    FirstPage Calculate(const Ask& ask);

    // The key filter of a field: whether a typed key (or Backspace) is taken
    // into a field that holds text. The feature list takes none.
    static bool KeyAccepted(gearmain::Field field, int16_t depthSystem, const std::string& text, int key);
    // Whether a field emptied takes every one of these keys (Backspace none),
    // so that it then holds them.
    static bool TakesEveryKey(gearmain::Field field, int16_t depthSystem, std::string_view keys);

    // ---- For the window ----
    // The fields written since the last call, also those written with the text
    // they had (the window still puts the caret at the end).
    FieldSet TakeWritten() { return std::exchange(written_, 0); }
    // What the hint updates since the last call leave to show, the later over
    // the earlier (nothing when there was none).
    std::optional<HintsRun> TakeHints() { return std::exchange(unshown_, std::nullopt); }

    const EntryTexts& texts() const { return texts_; }

private:
    // The hint update that follows an entry, unless the hints are held.
    void FollowHints() {
        if (!held_) UpdateHints();
    }
    void Write(gearmain::Field field, std::string text);
    void ReadFeatureValue();
    std::optional<std::string> StandardDiameter(bool withCaption);
    void ThicknessChange();
    void IdealPin(std::optional<double> basic, double basicThickness);
    HintsRun Hints();
    void PresentHints(HintsRun& run) const;
    void Remember(const HintsRun& run);

    // What the hint update worked out last time from the same numbers: a hint
    // update mostly works with the numbers of the one before, and the same
    // numbers give the same results (update_hints.cpp).
    struct Memos;
    Memos& memos();

    gearmain::GearMain& gear_;
    HintMemory& memory_;
    EntryTexts& texts_;
    FieldSet written_ = 0;
    std::optional<HintsRun> unshown_;
    bool captions_ = true;
    bool basicOffered_ = false;
    bool held_ = false;
    enum class Settle : uint8_t { No, KeepPin, OfferPin } settle_ = Settle::No;
    bool settledWhole_ = false;
    // Hint steps of the current update that could not be computed.
    int misses_ = 0;
    std::unique_ptr<Memos> memos_;
    gearmain::CalculationInput calculation_;
};

// The key filter of every text box: 1 when the key is in the allowed characters
// (empty means ".0123456789") or is Backspace, else 0.
int16_t AcceptKey(const std::string& allowed, int16_t key);

}  // namespace involvo
