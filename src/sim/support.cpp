#include "sim/support.h"

#include <iostream>

#include "game/resume.h"
#include "world/text.h"

namespace polmina::sim {

void fail(std::u16string_view message) { std::cerr << toUtf8(message) << "\n"; }

GameRng makeRng(const std::optional<uint64_t>& seed) {
  return seed ? GameRng::fixed(*seed) : GameRng::fromClock();
}

bool loadSaved(GameState& s, const std::string& dir) {
  const StoreResult r = resumeSavedGame(s, dir);
  if (!r) fail(r.message + u" (" + fromUtf8(dir) + u")");
  return r.ok;
}

}  // namespace polmina::sim
