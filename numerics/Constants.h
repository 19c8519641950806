// The constants both programs compute with, defined once so that a
// transform, a window and a phase step cannot disagree on them.
#pragma once

inline constexpr double kPi = 3.141592653589793;
// For the sums that run in long double.
inline constexpr long double kPiL = 3.141592653589793238462643383279502884L;
// Phases are kept in radians and entered and stored in degrees.
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;
