#pragma once
// The game's rounding words. Every formula that truncates, floors or rounds goes through these.
#include <cmath>
#include <cstdint>

namespace polmina {

// Toward zero.
inline double fix(double x) { return std::trunc(x); }
// Toward minus infinity.
inline double intFloor(double x) { return std::floor(x); }
// To nearest, ties to even (banker's rounding).
inline double cint(double x) { return std::nearbyint(x); }
// To nearest, halves away from zero: how numbers are formatted for show ("#####").
inline double formatRound(double x) { return std::round(x); }

// Truncated/floored/rounded values as integers, for indices and counters.
inline int32_t fixL(double x) { return static_cast<int32_t>(fix(x)); }
inline int32_t intFloorL(double x) { return static_cast<int32_t>(intFloor(x)); }
inline int32_t cintL(double x) { return static_cast<int32_t>(cint(x)); }

// Byte counters hold 0..255: an addition past the top stays at 255.
inline uint8_t addSaturated(uint8_t v, int delta) {
  const int r = int(v) + delta;
  return static_cast<uint8_t>(r < 0 ? 0 : (r > 255 ? 255 : r));
}

}  // namespace polmina
