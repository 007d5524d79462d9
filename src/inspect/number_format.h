// How numbers are written in result lines.
#pragma once

#include <string>

namespace folvane {

// Shortest decimal form with at most 15 significant digits: 300, 203.2,
// 0.333333333333333; very large or small values as 1E+20, 1E-05.
std::string FormatResolution(double value);

// A whole-numbered double (already rounded) as plain digits: 1189, -3.
std::string FormatWhole(double rounded);

// The same with thousands grouped: 1,189.
std::string FormatWholeGrouped(double rounded);

// Rounds to a whole number, halves away from zero.
double RoundHalfAwayFromZero(double value);

}  // namespace folvane
