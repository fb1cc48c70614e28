#pragma once
// Inside the history: its tables, and how values are packed into their columns.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/rng.h"

namespace polmina::rows {

inline constexpr int SchemaVersion = 4;

// The tables of a new file.
extern const char* const Schema;
// From the first version's tables (one game, no hall) to these.
extern const char* const FromVersion1;
// From the second version (the game for recovery always whole) to these.
extern const char* const FromVersion2;
// From the third version (no checksums) to these.
extern const char* const FromVersion3;

// Clock readings as a first value and zigzag-coded differences, seven bits a byte.
std::vector<uint8_t> packClock(const std::vector<uint64_t>& clock);
std::vector<uint64_t> unpackClock(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> packWords(const RngSnapshot& r);
RngSnapshot unpackWords(const std::vector<uint8_t>& bytes, bool mixesClock);
// An image as its differences from an earlier one, the base: its size, then runs of changed bytes,
// each as the count of unchanged bytes before it, its length (seven bits a byte) and its bytes.
// Bytes past the end of the base count as zeros.
std::vector<uint8_t> packChanges(std::span<const uint8_t> base, std::span<const uint8_t> image);
// The image again; nothing when the changes do not fit together (a damaged row).
std::optional<std::vector<uint8_t>> applyChanges(std::vector<uint8_t> base, std::span<const uint8_t> changes);
uint8_t packFlags(const std::array<uint8_t, 4>& f);
std::array<uint8_t, 4> unpackFlags(int64_t v);

}  // namespace polmina::rows
