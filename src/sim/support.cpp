#include "sim/support.h"

#include <iostream>
#include <string>

#include "game/resume.h"
#include "world/text.h"

namespace polmina::sim {

// One message, its lines ending as a terminal's lines do, and the last line ended too.
void fail(std::u16string_view message) {
  std::string text = toUtf8(message);
  std::erase(text, '\r');
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::cerr << text << "\n";
}

GameRng makeRng(const std::optional<uint64_t>& seed) {
  return seed ? GameRng::fixed(*seed) : GameRng::fromClock();
}

bool loadSaved(GameState& s, const std::string& dir) {
  const StoreResult r = resumeSavedGame(s, dir);
  if (!r) fail(r.message + u" (" + fromUtf8(dir) + u")");
  return r.ok;
}

std::unique_ptr<History> openHistory(const std::string& dir) {
  auto h = std::make_unique<History>(dir);
  if (auto problem = h->takeProblem()) fail(*problem);
  return h;
}

}  // namespace polmina::sim
