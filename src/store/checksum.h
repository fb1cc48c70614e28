#pragma once
// The checksum the game keeps of every save it writes and of every copy of a save the history holds:
// a copy whose bytes do not give it back was changed after it was written.
#include <cstdint>
#include <span>

namespace polmina {

// 64-bit FNV-1a: any change of a single byte, and so any flipped bit, always changes it.
inline int64_t saveChecksum(std::span<const uint8_t> bytes) {
  uint64_t h = 0xcbf29ce484222325ULL;
  for (const uint8_t b : bytes) h = (h ^ b) * 0x100000001b3ULL;
  return static_cast<int64_t>(h);
}

}  // namespace polmina
