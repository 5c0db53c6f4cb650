#pragma once
// The one number formatter for plot text: tick labels, tool tips, read-outs and the tracker
// all show numbers through it, so a value reads the same wherever it appears.

#include <string>

namespace vtg {

// The user's decimal separator (UTF-8, possibly several bytes); "." when the locale has none.
std::string GetDecimalSeparator();

// x with `digits` significant digits (clamped to 1..16).
//
// Localised: values from 0.001 up to (not including) 1e6 in plain decimal form, rounded
// half up only when the rest exceeds half of the last digit's place, zeros filled up to the
// units place, trailing zeros after the separator dropped; a separator left at the end is
// dropped when `trim` is set and followed by "0" otherwise ("2" or "2.0"). Smaller and larger
// magnitudes use mantissa and exponent without leading exponent zeros ("1.5e+6", "1e-4").
// The locale's separator replaces '.'.
//
// Not localised: C's "%.*g" form with '.', plus ".0" when it shows neither a point nor an
// exponent.
//
// Values that are not finite read "1/0" (NaN and +inf, the text plots use for "no value")
// and "-1/0" (-inf), in either form.
std::string FormatNumber(double x, int digits, bool localised, bool trim);

}  // namespace vtg
