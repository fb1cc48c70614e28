#include "platform/rng.h"

#include <algorithm>
#include <chrono>

namespace polmina {

namespace {
uint64_t splitmix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}
uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
uint64_t clockNanos() {
  return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
}  // namespace

GameRng::GameRng(uint64_t s, bool deterministic) : deterministic_(deterministic) { seed(s); }

GameRng GameRng::fixed(uint64_t s) { return GameRng(s, true); }
GameRng GameRng::fromClock() { return GameRng(clockNanos(), false); }

void GameRng::seed(uint64_t s) {
  for (auto& w : state_) w = splitmix(s);
}

uint64_t GameRng::next() {
  const uint64_t result = rotl(state_[1] * 5, 7) * 9;
  const uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = rotl(state_[3], 45);
  return result;
}

double GameRng::uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

GameRng GameRng::replaying(const RngSnapshot& start, std::vector<uint64_t> clock) {
  GameRng rng(0, !start.mixesClock);
  std::copy(start.words.begin(), start.words.end(), rng.state_);
  rng.replayClock_ = std::move(clock);
  return rng;
}

void GameRng::reseed() {
  if (deterministic_) return;
  uint64_t reading = 0;
  if (!replayClock_)
    reading = clockNanos();
  else if (replayNext_ < replayClock_->size())
    reading = (*replayClock_)[replayNext_++];
  if (tape_) tape_->push_back(reading);
  seed(next() ^ reading);
}

std::optional<RngSnapshot> GameRng::snapshot() const {
  RngSnapshot snap;
  std::copy(std::begin(state_), std::end(state_), snap.words.begin());
  snap.mixesClock = !deterministic_;
  return snap;
}

}  // namespace polmina
