// The stored texts as numbers, check-box states and amounts, and the texts written for them.
#include <cmath>
#include <cstdint>
#include <limits>

#include "FuzzSupport.h"
#include "program/Conversions.h"
#include "program/Options.h"

using namespace tavrino;
using fuzz::Require;

namespace {

constexpr int kMaxAmount = Options::kMaxTranslucency;

void CheckStates(std::string_view text) {
    for (const CheckState defaultState : {CheckState::Clear, CheckState::Greyed}) {
        const CheckState state = CheckBoxStateOf(text, defaultState);
        const int value = static_cast<int>(state);
        Require(value >= 0 && value <= 2, "a check box is clear, ticked or greyed");
        const CheckState stored = state == CheckState::Clear ? state : CheckState::Ticked;
        Require(CheckBoxStateOf(CheckBoxText(state), defaultState) == stored,
                "a stored check box reads back");
    }
}

void CheckAmount(std::string_view text) {
    const int amount = AmountOf(text, 63, 0, kMaxAmount);
    Require(amount >= 0 && amount <= kMaxAmount, "an amount is within the slider's range");
    Require(AmountOf(AmountText(amount), 0, 0, kMaxAmount) == amount, "a stored amount reads back");
}

// Window coordinates are stored as single-precision pixels and read as numbers.
void CheckPixels(double number) {
    if (!std::isfinite(number) || std::abs(number) > std::numeric_limits<float>::max()) {
        return;
    }
    const float pixels = static_cast<float>(number);
    const auto reread = LeadingNumber(PixelText(pixels));
    Require(reread && static_cast<float>(*reread) == pixels, "stored pixels read back exactly");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::TextOf(data, size);
    CheckStates(text);
    CheckAmount(text);
    const auto number = LeadingNumber(text);
    if (number) {
        Require(!std::isnan(*number), "a number is never NaN");
        const auto whole = ToInt32(*number);
        Require(!whole || std::abs(*number - *whole) <= 0.5, "a whole number is the nearest one");
        CheckPixels(*number);
    }
    return 0;
}
