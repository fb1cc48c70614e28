#pragma once
// Inside the history: its tables, and how values are packed into their columns.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/rng.h"

namespace polmina::rows {

inline constexpr int SchemaVersion = 2;

// The tables of a new file.
extern const char* const Schema;
// From the first version's tables (one game, no hall) to these.
extern const char* const FromVersion1;

// Clock readings as a first value and zigzag-coded differences, seven bits a byte.
std::vector<uint8_t> packClock(const std::vector<uint64_t>& clock);
std::vector<uint64_t> unpackClock(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> packWords(const RngSnapshot& r);
RngSnapshot unpackWords(const std::vector<uint8_t>& bytes, bool mixesClock);
uint8_t packFlags(const std::array<uint8_t, 4>& f);
std::array<uint8_t, 4> unpackFlags(int64_t v);

}  // namespace polmina::rows
