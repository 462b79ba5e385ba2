#include "input_screen/screen_core.h"

#include "input_screen/error_handle.h"
#include "input_screen/hint_memos.h"
#include "input_screen/screen_texts.h"

namespace involvo {

using namespace screen;
using gearmain::Field;
using gearmain::Format;
using gearmain::IntEntry;
using gearmain::LTrim;
using gearmain::MsgAnswer;
using gearmain::MsgButtons;
using gearmain::MsgIcon;
using gearmain::Notice;
using gearmain::RTrim;
using gearmain::ShortText;
using gearmain::SngEntry;
using gearmain::Trim;
using gearmain::Val;

namespace {

constexpr int16_t kBackspace = 8;

const std::vector<std::string> kExternalToothList = {kCircularThickness, kChordalThickness, kBacklash};
const std::vector<std::string> kInternalToothList = {kCircularSpace, kChordalSpace, kBacklash};
const std::vector<std::string> kExternalMeasureList = {kOverPins, kSpan};
const std::vector<std::string> kInternalMeasureList = {kBetweenPins};

// A user can go on refusing the limits as long as he likes; a script that keeps
// offering the same refused answer must not keep the program in the dialog.
constexpr int kCutterDepthTries = 50;

}  // namespace

int16_t AcceptKey(const std::string& allowed, int16_t key) {
    if (key == kBackspace) return 1;
    const std::string& chars = allowed.empty() ? std::string(kDecimal) : allowed;
    for (char c : chars)
        if (static_cast<unsigned char>(c) == key) return 1;
    return 0;
}

EntryTexts OpeningTexts() {
    EntryTexts texts;
    texts.pressureAngle = "20.00000";
    texts.helix = "0.000000";
    texts.feature = kCircularThickness;
    texts.odChange = "0.000000";
    texts.faceWidth = "1.00000";
    texts.quality = "None";
    return texts;
}

ScreenCore::ScreenCore(gearmain::GearMain& gear, HintMemory& memory, EntryTexts& texts)
    : gear_(gear), memory_(memory), texts_(texts) {}

// The first opening makes the gear external and takes the pressure angle from
// its field.
void ScreenCore::Open() {
    if (gear_.GearType != 0) return;
    gear_.GearType = 1;
    gear_.NormalPA = SngEntry(Val(texts_.pressureAngle));
}

void ScreenCore::Write(Field field, std::string text) {
    auto member = TextOf(field);
    if (!member) return;
    texts_.*member = std::move(text);
    written_ |= Bit(field);
}

namespace {

// A set of the characters below 128, to test a key in a step.
struct KeySet {
    uint64_t low = 0, high = 0;
    constexpr explicit KeySet(const char* chars) {
        for (; *chars; ++chars) {
            const unsigned c = static_cast<unsigned char>(*chars);
            (c < 64 ? low : high) |= uint64_t{1} << (c % 64);
        }
    }
    constexpr bool Has(int key) const { return key >= 0 && key < 128 && HasChar(static_cast<char>(key)); }
    // A character of a text: the sign bit of a char that is not ASCII makes
    // it no member.
    constexpr bool HasChar(char ch) const {
        const auto c = static_cast<unsigned char>(ch);
        return (((c & 64 ? high : low) >> (c % 64)) & 1 & ~(c >> 7)) != 0;
    }
};

constexpr KeySet kDecimalKeys{kDecimal};
constexpr KeySet kDigitKeys{kDigits};
constexpr KeySet kFractionKeys{".0123456789/"};
constexpr KeySet kSignedKeys{".-0123456789"};
constexpr KeySet kBandKeys{".0123456789/-"};
constexpr KeySet kSecondOfBandKeys{".0123456789-"};

// The keys a text box takes; nothing for the feature list.
const KeySet* KeysOf(Field field, int16_t depthSystem, bool slashTyped) {
    switch (field) {
        case Field::Feature: return nullptr;  // the feature is chosen from the list only
        case Field::Teeth: return &kDigitKeys;
        // A combination stub pitch is entered as a fraction.
        case Field::Pitch: return depthSystem == 8 ? &kFractionKeys : &kDecimalKeys;
        case Field::ODChange: return &kSignedKeys;
        // A single value or one range "a / b": at most one slash.
        case Field::FeatureValue: return slashTyped ? &kSecondOfBandKeys : &kBandKeys;
        case Field::PressureAngle:
        case Field::Helix:
        case Field::Pin:
        case Field::FaceWidth:
        case Field::Quality:
        case Field::None: break;
    }
    return &kDecimalKeys;
}

}  // namespace

bool ScreenCore::KeyAccepted(Field field, int16_t depthSystem, const std::string& text, int key) {
    if (field == Field::None) return true;
    const KeySet* allowed = KeysOf(field, depthSystem, text.find('/') != std::string::npos);
    if (!allowed || key < 0 || key > 0x7FFF) return false;
    if (key == kBackspace) return true;
    return allowed->Has(key);
}

bool ScreenCore::TakesEveryKey(Field field, int16_t depthSystem, std::string_view keys) {
    const KeySet* allowed = KeysOf(field, depthSystem, false);
    if (!allowed) return false;
    // Only the band's field changes its keys after a slash.
    if (field != Field::FeatureValue) {
        for (char ch : keys)
            if (!allowed->HasChar(ch)) return false;
        return true;
    }
    for (char ch : keys) {
        if (!allowed->HasChar(ch)) return false;
        if (ch == '/') allowed = KeysOf(field, depthSystem, true);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Leaving a field

void ScreenCore::LeaveTeeth() {
    gear_.NumTeeth = SngEntry(Val(texts_.teeth));
    FollowHints();
}

// The pitch, or a pitch fraction a/b whose second number sets the tooth depth.
void ScreenCore::LeavePitch() {
    // Read before the field is written.
    const std::string& text = texts_.pitch;
    gear_.NormalDP = SngEntry(Val(text));
    gear_.DepthPitch = 0;
    if (size_t slash = text.find('/'); slash != std::string::npos) {
        float first = SngEntry(Val(RTrim(text.substr(0, slash))));
        float second = SngEntry(Val(LTrim(text.substr(slash + 1))));
        gear_.NormalDP = first;
        gear_.DepthPitch = second;
        // A depth pitch coarser than the pitch is not a stub tooth: the fraction
        // collapses to the pitch alone.
        if (second < first) {
            // The pitch's plain text, unless that is written with an exponent
            // ("1.234568E+07"), which the field would read back as 1.234568: then
            // the first number as typed.
            std::string pitch = ShortText(gear_.NormalDP);
            if (!gearmain::IsPlainNumber(pitch)) pitch = Trim(text.substr(0, slash));
            Write(Field::Pitch, pitch);
            gear_.DepthPitch = gear_.NormalDP;
        }
    }
    FollowHints();
}

void ScreenCore::LeavePressureAngle() {
    gear_.NormalPA = SngEntry(Val(texts_.pressureAngle));
    FollowHints();
}

void ScreenCore::LeaveHelix() {
    gear_.HelixAngle = SngEntry(Val(texts_.helix));
    // A spur gear shows its helix angle as 0.000000; an empty box stays empty.
    if (gear_.HelixAngle == 0 && !Trim(texts_.helix).empty()) Write(Field::Helix, "0.000000");
    FollowHints();
}

void ScreenCore::LeaveFeature() {
    if (texts_.feature.empty()) Write(Field::Feature, gear_.InputFeature);
    gear_.InputFeature = texts_.feature;
}

void ScreenCore::LeaveFeatureValue() {
    ReadFeatureValue();
    FollowHints();
}

// A single value, or a tolerance band "a / b" shown with the smaller number first.
void ScreenCore::ReadFeatureValue() {
    // Read before the field is written.
    const std::string& text = texts_.featureValue;
    size_t slash = text.find('/');
    if (slash == std::string::npos) {
        gear_.FeatureValue = SngEntry(Val(text));
        Write(Field::FeatureValue, Format(gear_.FeatureValue, "0.000000"));
        gear_.Thick1 = gear_.Measure1 = gear_.Backlash1 = gear_.FeatureValue;
        gear_.Thick2 = gear_.Measure2 = gear_.Backlash2 = 0;
        return;
    }
    std::string a = Format(Val(RTrim(text.substr(0, slash))), "0.000000");
    std::string b = Format(Val(LTrim(text.substr(slash + 1))), "0.000000");
    float first = SngEntry(Val(a));
    float second = SngEntry(Val(b));
    Write(Field::FeatureValue, second <= first ? b + " / " + a : a + " / " + b);
    // The pair keeps the order typed.
    gear_.Thick1 = gear_.Measure1 = gear_.Backlash1 = first;
    gear_.Thick2 = gear_.Measure2 = gear_.Backlash2 = second;
    // A band is a value too: the check for a missing feature value must not
    // refuse it because an earlier single entry was 0.
    gear_.FeatureValue = first != 0 ? first : second;
}

// The change is what the box shows, five decimals: a change held finer than
// its box would read as another change the next time the box is left, and the
// feature value would be refilled over what the user typed.
void ScreenCore::LeaveODChange() {
    const float typed = SngEntry(Val(texts_.odChange));
    Write(Field::ODChange, Format(typed, "0.00000"));
    // What the box now shows, read back.
    gear_.ODChange = SngEntry(gearmain::RoundToMask(typed, "0.00000"));
    FollowHints();
}

void ScreenCore::LeavePin() {
    gear_.PinDiameter = SngEntry(Val(texts_.pin));
    gear_.TeethSpanned = gear_.PinDiameter;
    FollowHints();
}

void ScreenCore::LeaveFaceWidth() {
    gear_.FaceWidth = SngEntry(Val(texts_.faceWidth));
    if (gear_.FaceWidth > 0) Write(Field::FaceWidth, Format(gear_.FaceWidth, "0.00000"));
}

void ScreenCore::LeaveQuality() {
    gear_.QualityNumber = IntEntry(Val(texts_.quality));  // "None" reads 0
}

void ScreenCore::Leave(Field field) {
    switch (field) {
        case Field::Teeth: LeaveTeeth(); break;
        case Field::Pitch: LeavePitch(); break;
        case Field::PressureAngle: LeavePressureAngle(); break;
        case Field::Helix: LeaveHelix(); break;
        case Field::Feature: LeaveFeature(); break;
        case Field::FeatureValue: LeaveFeatureValue(); break;
        case Field::ODChange: LeaveODChange(); break;
        case Field::Pin: LeavePin(); break;
        case Field::FaceWidth: LeaveFaceWidth(); break;
        case Field::Quality: LeaveQuality(); break;
        case Field::None: break;
    }
}

void ScreenCore::EnterFeature() {
    if (!texts_.feature.empty()) gear_.InputFeature = texts_.feature;
}

void ScreenCore::EditPitch() {
    if (gear_.InputFeature != kBacklash) Write(Field::FeatureValue, "");
    Write(Field::Pin, "");
    gear_.FeatureValue = 0;
    gear_.PinDiameter = 0;
    gear_.TeethSpanned = 0;
}

// ---------------------------------------------------------------------------
// Menus, option buttons and the feature list

const std::vector<std::string>& ScreenCore::FeatureList(int16_t mode, int16_t gearType) {
    const bool external = gearType == 1;
    if (mode == 2) return external ? kExternalMeasureList : kInternalMeasureList;
    return external ? kExternalToothList : kInternalToothList;
}

void ScreenCore::ChooseMode(int16_t mode) {
    gearmain::GearMain& g = gear_;
    switch (mode) {
        case 1: {
            // From mode 2 the list's first item, which is no thickness.
            std::string text = g.CalcMode == 2 ? FeatureList(2, g.GearType).front() : texts_.feature;
            g.CalcMode = 1;
            if (g.GearType != 1) {
                if (text != kChordalSpace) text = kCircularSpace;
            } else {
                if (text != kChordalThickness && text != kBacklash) text = kCircularThickness;
            }
            Write(Field::Feature, text);
            break;
        }
        case 2:
            g.CalcMode = 2;
            Write(Field::Feature, g.GearType != 1 ? kBetweenPins : kOverPins);
            break;
        case 3:
            if (g.GearType != 1) ChooseGearType(1);  // still under the old mode
            g.CalcMode = 3;
            Write(Field::Feature, kCircularThickness);
            break;
        default: return;
    }
    FollowHints();
}

void ScreenCore::ChooseGearType(int16_t gearType) {
    gearmain::GearMain& g = gear_;
    const bool external = gearType == 1;
    g.GearType = external ? 1 : 2;
    g.InputFeature = texts_.feature;
    if (g.CalcMode == 1) {
        std::string text = texts_.feature;
        if (external) {
            if (text == kCircularSpace) text = kCircularThickness;
            else if (text == kChordalSpace) text = kChordalThickness;
        } else {
            if (text == kCircularThickness) text = kCircularSpace;
            else if (text == kChordalThickness) text = kChordalSpace;
        }
        Write(Field::Feature, text);
    } else if (g.CalcMode == 2) {
        Write(Field::Feature, external ? kOverPins : kBetweenPins);
    }
    // A contributing backlash means the same for both.
    if (g.InputFeature == kBacklash) Write(Field::Feature, kBacklash);
    if (external) g.InputFeature = texts_.feature;
    FollowHints();
}

void ScreenCore::ChooseFeature() {
    if (!texts_.feature.empty()) gear_.InputFeature = texts_.feature;
    FollowHints();
}

// The user's own hob or shaper whole depth, between 1/DP and 3/DP. It holds for
// the pitch it was entered with only.
void ScreenCore::ChooseDepthSystem(int16_t system, const Ask& ask, const AskText& askDepth) {
    gearmain::GearMain& g = gear_;
    g.DepthSystem = system;
    if (system != 9) return;
    for (int attempt = 0; attempt < kCutterDepthTries; ++attempt) {
        if (g.NormalDP == 0) {
            ask({msg::kCutterDepthNoPitch, MsgIcon::Exclamation});
            break;
        }
        g.CutterDepthText = askDepth(msg::kCutterDepthPrompt, msg::kCutterDepthTitle, g.CutterDepthText);
        if (g.CutterDepthText.empty()) break;
        g.WholeDepth = SngEntry(Val(g.CutterDepthText));
        float lowest = SngEntry(1.0 / g.NormalDP);
        float highest = SngEntry(3.0 / g.NormalDP);
        if (lowest <= g.WholeDepth && g.WholeDepth <= highest) return;
        ask({msg::kCutterDepthLimits, MsgIcon::Exclamation});
    }
    g.DepthSystem = 1;
}

// ---------------------------------------------------------------------------
// Hint labels

void ScreenCore::CopyBasic() {
    Write(Field::FeatureValue, Trim(gear_.BasicText));
    gear_.FeatureValue = SngEntry(Val(gear_.BasicText));
    gear_.Thick1 = gear_.Measure1 = gear_.FeatureValue;
    gear_.Thick2 = gear_.Measure2 = 0;
    FollowHints();
}

void ScreenCore::CopyStandard() {
    const std::string hint = gear_.StandardText;
    Write(Field::Pin, Trim(hint));
    gear_.PinDiameter = SngEntry(Val(hint));
    gear_.TeethSpanned = gear_.PinDiameter;
    FollowHints();
}

void ScreenCore::CopyIdealPin() {
    const std::string hint = gear_.IdealPinText;
    Write(Field::Pin, Trim(hint));
    gear_.PinDiameter = SngEntry(Val(hint));
    gear_.TeethSpanned = gear_.PinDiameter;
    FollowHints();
}

// ---------------------------------------------------------------------------
// Calculate

FirstPage ScreenCore::Calculate(const Ask& ask) {
    gearmain::GearMain& g = gear_;
    // The pin field is read directly: its value counts even while it has the focus.
    g.PinDiameter = SngEntry(Val(texts_.pin));
    g.TeethSpanned = g.PinDiameter;
    FollowHints();
    // The hints take the feature from the list only once teeth, pitch and (in
    // mode 2) a pressure angle are known; a refusal must still name the feature
    // the screen shows.
    if (!texts_.feature.empty()) g.InputFeature = texts_.feature;
    if (std::optional<Notice> refusal = ErrorHandle::ValidateInputs(g)) {
        ask(*refusal);
        return FirstPage::None;
    }

    // (The input keeps the room of its texts from one calculation to the next.)
    calculation_.feature = texts_.feature;
    calculation_.faceWidthText = texts_.faceWidth;
    calculation_.featureRange = texts_.featureValue.find('/') != std::string::npos;
    const gearmain::CalculationReport report = g.CalculateGear(calculation_);
    if (report.fault) {
        // The message and the move to the entry at fault come before the marker
        // is set, as they always have: the pin field's hint update that the move
        // runs sees the calculation as it stopped, not yet marked failed.
        g.CalcFailed = 0;
        ask({report.fault->message, MsgIcon::Critical, MsgButtons::OK, report.fault->field});
        g.CalcFailed = -1;
        return FirstPage::None;
    }
    if (g.CalcFailed == -1) return FirstPage::None;  // stopped on an earlier failure

    // OK goes on; Cancel sends the user back to the pin field, and no later
    // warning is shown.
    for (const Notice& warning : report.pinWarnings) {
        if (ask(warning) == MsgAnswer::Cancel) {
            g.PinRefused = -1;
            break;
        }
    }
    if (g.PinRefused == -1) {
        g.PinRefused = 0;
        return FirstPage::None;
    }
    for (const Notice& caution : report.cautions) ask(caution);

    const ErrorHandle::CheckResult span = ErrorHandle::CheckSpanLimits(g);
    for (const Notice& notice : span.notices) ask(notice);
    if (span.refused) return FirstPage::None;

    return g.HelixAngle <= 0 ? FirstPage::Spur : FirstPage::Helical;
}

}  // namespace involvo
