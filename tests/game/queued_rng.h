#pragma once
// A random source for tests: hands out queued values first, then a fixed-seed sequence; counts the
// draws and the re-seeds so a test can check exactly where the game draws.
#include <deque>
#include <initializer_list>
#include <vector>

#include "platform/rng.h"

namespace polmina {

class QueuedRng final : public Rng {
 public:
  explicit QueuedRng(uint64_t seed = 1) : fallback_(GameRng::fixed(seed)) {}

  // The value that makes Fix(n x rnd) come out as k.
  static double pickOf(int k, int n) { return (k + 0.5) / n; }

  void push(std::initializer_list<double> values) { queue.insert(queue.end(), values); }

  double uniform() override {
    ++draws;
    if (queue.empty()) return fallback_.uniform();
    const double v = queue.front();
    queue.pop_front();
    return v;
  }
  void reseed() override { reseedsAt.push_back(draws); }

  std::deque<double> queue;
  int draws = 0;
  std::vector<int> reseedsAt;  // draws made before each re-seed

 private:
  GameRng fallback_;
};

}  // namespace polmina
