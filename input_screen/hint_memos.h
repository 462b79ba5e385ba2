// What the hint update worked out from the same numbers before (see
// ScreenCore::Memos): the same numbers give the same results.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "input_screen/screen_core.h"

namespace involvo {

namespace hints {

// The bits of the numbers a result is worked out from: equal bits, equal
// numbers (not 0 and -0, not two NaNs).
inline uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }
inline uint64_t Bits(float v) { return std::bit_cast<uint32_t>(v); }

// A result remembered with the numbers it was worked out from.
template <size_t N, typename Result>
struct Memo {
    std::array<uint64_t, N> key{};
    Result result{};
    bool valid = false;
    const Result* Find(const std::array<uint64_t, N>& k) const { return valid && k == key ? &result : nullptr; }
    void Keep(const std::array<uint64_t, N>& k, const Result& r) {
        key = k;
        result = r;
        valid = true;
    }
};

// The mask text of a value.
struct TextMemo {
    double value = 0;
    std::string_view mask;
    std::string text;
    bool valid = false;
};

}  // namespace hints

struct ScreenCore::Memos {
    hints::TextMemo basicText, standardText, idealPinText;
    // The thickness change of the O.D. change: the transverse pressure angle,
    // the change kept, transverse and normal.
    struct Change {
        float transversePA, odChange, transverse, normal;
    };
    hints::Memo<5, Change> change;
    // The ideal pin of a thickness: the pitch and base diameters and the pin.
    struct Pin {
        float pitchDiameter, baseDiameter;
        double pin;
    };
    hints::Memo<7, Pin> pin;
};

}  // namespace involvo
