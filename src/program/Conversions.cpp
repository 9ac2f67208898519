#include "program/Conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tavrino {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the text a character at a time with the blanks left out.
class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : text_(text) { SkipBlanks(); }

    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }
    std::string Digits() {
        std::string digits;
        while (IsDigit(Peek())) {
            digits += Peek();
            Next();
        }
        return digits;
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Whether a number that does not fit a double is too large rather than too small: the position
// of its first significant digit, shifted by the exponent, lies left of the decimal point.
bool Overflows(const std::string& whole, const std::string& fraction, const std::string& exponent) {
    long order = 0;
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
        order = static_cast<long>(whole.size() - firstWhole);
    } else {
        const auto firstFraction = fraction.find_first_not_of('0');
        if (firstFraction == std::string::npos) {
            return false;  // zero
        }
        order = -static_cast<long>(firstFraction);
    }
    if (!exponent.empty()) {
        const bool exponentNegative = exponent.front() == '-';
        // A long exponent is far beyond any double either way.
        if (exponent.size() > 9) {
            return !exponentNegative;
        }
        order += std::stol(exponent);
    }
    return order > 0;
}

template <typename Int>
std::optional<Int> ToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // the default rounding: half to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
    NumberScanner scan(text);
    bool negative = false;
    if (scan.Peek() == '+' || scan.Peek() == '-') {
        negative = scan.Peek() == '-';
        scan.Next();
    }
    const std::string whole = scan.Digits();
    std::string fraction;
    if (scan.Peek() == '.') {
        scan.Next();
        fraction = scan.Digits();
    }
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    std::string exponent;
    const char marker = scan.Peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        scan.Next();
        std::string exponentSign;
        if (scan.Peek() == '+' || scan.Peek() == '-') {
            exponentSign = std::string(1, scan.Peek());
            scan.Next();
        }
        const std::string digits = scan.Digits();
        if (!digits.empty()) {
            exponent = exponentSign + digits;
        }
    }
    const std::string number = (whole.empty() ? "0" : whole) +
                               (fraction.empty() ? "" : "." + fraction) +
                               (exponent.empty() ? "" : "e" + exponent);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value =
            Overflows(whole, fraction, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double NumericValue(std::string_view text) {
    return LeadingNumber(text).value_or(0.0);
}

std::optional<std::int16_t> ToInt16(double value) {
    return ToInteger<std::int16_t>(value);
}

std::optional<std::int32_t> ToInt32(double value) {
    return ToInteger<std::int32_t>(value);
}

std::optional<std::uint32_t> ToUint32(double value) {
    return ToInteger<std::uint32_t>(value);
}

CheckState CheckBoxStateOf(std::string_view text, CheckState defaultState) {
    // Indexed by the stored number.
    constexpr std::array kStoredStates{CheckState::Clear, CheckState::Ticked, CheckState::Greyed};
    const auto state = ToInt16(NumericValue(text));
    if (!state || *state < 0 || *state >= static_cast<int>(kStoredStates.size())) {
        return defaultState;
    }
    return kStoredStates[static_cast<std::size_t>(*state)];
}

int AmountOf(std::string_view text, int defaultAmount, int minimum, int maximum) {
    const auto amount = ToInt16(NumericValue(text));
    if (!amount) {
        return defaultAmount;
    }
    return std::clamp<int>(*amount, minimum, maximum);
}

std::string CheckBoxText(CheckState state) {
    return state == CheckState::Clear ? "0" : "1";
}

std::string AmountText(int amount) {
    return std::to_string(amount);
}

std::string PixelText(float pixels) {
    char buffer[64];  // room for any float in fixed notation
    // Fixed notation: the shortest form alone would write 100000 as "1e+05".
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, pixels, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

}  // namespace tavrino
