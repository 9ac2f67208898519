// Text to number and back, the way the program reads and writes its stored values and its command
// line: every stored value is text, and a text counts by its leading numeric part.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "seam/SettingsDialog.h"

namespace tavrino {

// The leading numeric part of a text: blanks, tabs and line feeds are skipped wherever they
// occur, then an optional sign, digits with an optional decimal point, and an optional exponent
// (E or D, optional sign, digits). The number ends at the first character that cannot belong to
// it. Empty when the text has no numeric start ("abc", "-", ".").
std::optional<double> LeadingNumber(std::string_view text);

// LeadingNumber, with 0 for a text without a numeric start.
double NumericValue(std::string_view text);

// The nearest 16-bit or 32-bit integer (or unsigned 32-bit), a half going to the even neighbour.
// Empty when the rounded value does not fit (or is not a finite number).
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);
std::optional<std::uint32_t> ToUint32(double value);

// A stored check-box state: 0 clear, 1 ticked, 2 greyed. Any other value, and a number beyond the
// 16-bit range, reads as the key's default.
CheckState CheckBoxStateOf(std::string_view text, CheckState defaultState);

// A stored amount (the translucency, the brightness), brought into minimum..maximum. A number
// beyond the 16-bit range reads as the key's default.
int AmountOf(std::string_view text, int defaultAmount, int minimum, int maximum);

// A check box's state as stored: "0" for a clear box, "1" for a ticked or greyed one.
std::string CheckBoxText(CheckState state);

// An amount as plain decimal digits, e.g. "63".
std::string AmountText(int amount);

// A window coordinate in pixels, as the shortest plain decimal text of the single-precision value
// ("120", "120.5", "-100000"), never in exponent form.
std::string PixelText(float pixels);

}  // namespace tavrino
