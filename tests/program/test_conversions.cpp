// Stored text to option values and back: the leading numeric part, rounding half to even, the
// ranges of the controls, and the texts written to the store.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "program/Conversions.h"

namespace tavrino {
namespace {

TEST(LeadingNumber, TakesTheNumericStartAndStopsAtTheFirstForeignCharacter) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"63", 63},     {"63.5", 63.5}, {"12abc", 12},     {"  7", 7},  {"+7", 7},  {"-7", -7},
        {"- 7", -7},    {"1 2 3", 123}, {"\t42\n", 42},    {".5", 0.5}, {"5.", 5},  {"1e3", 1000},
        {"1E+2x", 100}, {"25e-1", 2.5}, {"1D2", 100},      {"2e", 2},   {"2e+", 2}, {"1,5", 1},
        {"3.2.1", 3.2}, {"0x1F", 0},    {"1234 /X", 1234}, {"007", 7},
    };
    for (const Case& c : cases) {
        const auto value = LeadingNumber(c.text);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
    }
    EXPECT_EQ(NumericValue("4\n2"), 42.0);  // a line break is a blank like any other
}

TEST(LeadingNumber, TextWithoutNumericStartHasNoNumberAndReadsAsZero) {
    for (const char* text : {"", "abc", "-", "+", ".", " . ", ":1234", "&H10", "e5", "--5"}) {
        EXPECT_FALSE(LeadingNumber(text).has_value()) << text;
        EXPECT_EQ(NumericValue(text), 0.0) << text;
    }
}

TEST(LeadingNumber, HugeAndTinyNumbers) {
    EXPECT_EQ(NumericValue("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("-1e999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("1e-999"), 0.0);
    EXPECT_EQ(NumericValue("0.0001e400"), std::numeric_limits<double>::infinity());
    // Exponents too long to add up still have their sign.
    EXPECT_EQ(NumericValue("1e-9999999999"), 0.0);
    EXPECT_EQ(NumericValue("1e+9999999999"), std::numeric_limits<double>::infinity());
}

TEST(IntegerConversion, RoundsHalfToEvenAndRejectsWhatDoesNotFit) {
    EXPECT_EQ(ToInt16(63.5), 64);
    EXPECT_EQ(ToInt16(62.5), 62);
    EXPECT_EQ(ToInt16(-2.5), -2);
    EXPECT_EQ(ToInt16(0.4999), 0);
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(32767.5), std::nullopt);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    EXPECT_EQ(ToInt16(-32769), std::nullopt);
    EXPECT_EQ(ToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(ToInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(ToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(ToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
}

TEST(StoredCheckBox, KeepsZeroOneTwoAndFallsBackToTheDefaultOtherwise) {
    constexpr CheckState kClear = CheckState::Clear;
    constexpr CheckState kTicked = CheckState::Ticked;
    EXPECT_EQ(CheckBoxStateOf("0", kTicked), kClear);
    EXPECT_EQ(CheckBoxStateOf("1", kClear), kTicked);
    EXPECT_EQ(CheckBoxStateOf("2", kClear), CheckState::Greyed);
    EXPECT_EQ(CheckBoxStateOf("1.4", kClear), kTicked);
    EXPECT_EQ(CheckBoxStateOf("2.5", kTicked), CheckState::Greyed);
    EXPECT_EQ(CheckBoxStateOf("abc", kTicked), kClear);  // no number reads as 0, a valid state
    EXPECT_EQ(CheckBoxStateOf("3", kTicked), kTicked);
    EXPECT_EQ(CheckBoxStateOf("-1", kClear), kClear);
    EXPECT_EQ(CheckBoxStateOf("-1", kTicked), kTicked);
    EXPECT_EQ(CheckBoxStateOf("99999", kTicked), kTicked);
    EXPECT_EQ(CheckBoxStateOf("1e999", kClear), kClear);
}

TEST(StoredAmount, RoundsClampsAndFallsBackBeyondSixteenBits) {
    EXPECT_EQ(AmountOf("63.5", 31, 0, 239), 64);
    EXPECT_EQ(AmountOf("62.5", 31, 0, 239), 62);
    EXPECT_EQ(AmountOf("letters", 31, 0, 239), 0);
    EXPECT_EQ(AmountOf("12abc", 31, 0, 239), 12);
    EXPECT_EQ(AmountOf("239.5", 31, 0, 239), 239);
    EXPECT_EQ(AmountOf("300", 31, 0, 239), 239);
    EXPECT_EQ(AmountOf("-5", 31, 0, 239), 0);
    EXPECT_EQ(AmountOf("32767", 31, 0, 239), 239);
    EXPECT_EQ(AmountOf("32768", 31, 0, 239), 31);
    EXPECT_EQ(AmountOf("-40000", 63, 0, 239), 63);
    EXPECT_EQ(AmountOf("5", 100, 10, 100), 10);
}

TEST(StoredText, CheckBoxAmountAndPixels) {
    EXPECT_EQ(CheckBoxText(CheckState::Clear), "0");
    EXPECT_EQ(CheckBoxText(CheckState::Ticked), "1");
    EXPECT_EQ(CheckBoxText(CheckState::Greyed), "1");
    EXPECT_EQ(AmountText(63), "63");
    EXPECT_EQ(AmountText(0), "0");
    EXPECT_EQ(AmountText(239), "239");
    EXPECT_EQ(PixelText(120.0f), "120");
    EXPECT_EQ(PixelText(-32.0f), "-32");
    EXPECT_EQ(PixelText(120.5f), "120.5");
    EXPECT_EQ(PixelText(1920.0f), "1920");
}

TEST(StoredText, PixelsFarOffTheScreenStayPlainDecimals) {
    // A window dragged far off the screen: round numbers are written out, never as "1e+05".
    EXPECT_EQ(PixelText(100000.0f), "100000");
    EXPECT_EQ(PixelText(-200000.0f), "-200000");
    EXPECT_EQ(PixelText(1000000.0f), "1000000");
    EXPECT_EQ(PixelText(-65536.0f), "-65536");
    EXPECT_EQ(NumericValue(PixelText(-100000.0f)), -100000.0);
}

}  // namespace
}  // namespace tavrino
