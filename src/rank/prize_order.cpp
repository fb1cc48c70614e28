#include "rank/prize_order.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

#include "rank/sort.h"

namespace polmina {

namespace {

// One comparison of the exchange sort: the entry holding the best key so far and entry j change
// places when j's key is larger. Written with selects instead of a branch: the outcome is unpredictable.
inline void exchangeStep(int32_t& bestKey, int& bestOrder, int32_t& key, int& order) {
  const int32_t k = key;
  const int o = order;
  const bool larger = bestKey < k;
  key = larger ? bestKey : k;
  order = larger ? bestOrder : o;
  bestKey = larger ? k : bestKey;
  bestOrder = larger ? o : bestOrder;
}

// Four passes of the exchange sort at a time, one per lane of a small vector.
constexpr int kLanes = 4;
using Lanes = int32_t __attribute__((vector_size(16)));

// The first entries of a group: pass i + t starts at entry i + t, once the passes before it have
// gone over that entry, and takes it as its best so far.
void startPasses(int32_t* key, int* order, int i, int passes, int32_t* bestKey, int* bestOrder) {
  for (int p = i; p < i + passes; ++p) {
    for (int t = 0; i + t < p; ++t) exchangeStep(bestKey[t], bestOrder[t], key[p], order[p]);
    bestKey[p - i] = key[p];
    bestOrder[p - i] = order[p];
  }
}

// The rest of the table for a full group of passes, as a pipeline: at step tau lane t holds entry
// tau - t, which lane t - 1 finished one step before, so every lane compares at once. An entry leaves
// the last lane with all four passes done to it.
void sweepPasses(int32_t* key, int* order, int first, int n, int32_t* bestKey, int* bestOrder) {
  Lanes bK, bO, vK{}, vO{};
  for (int t = 0; t < kLanes; ++t) {
    bK[t] = bestKey[t];
    bO[t] = bestOrder[t];
  }
  const Lanes lane = {0, 1, 2, 3};
  for (int tau = first; tau < n + kLanes - 1; ++tau) {
    // Every entry moves on to the next lane; lane 0 takes the next entry of the table.
    vK = __builtin_shufflevector(vK, vK, 0, 0, 1, 2);
    vO = __builtin_shufflevector(vO, vO, 0, 0, 1, 2);
    vK[0] = tau < n ? key[tau] : 0;
    vO[0] = tau < n ? order[tau] : 0;
    const Lanes entry = tau - lane;
    const Lanes larger = (bK < vK) & (entry >= first) & (entry < n);
    const Lanes outK = larger ? bK : vK;
    const Lanes outO = larger ? bO : vO;
    bK = larger ? vK : bK;
    bO = larger ? vO : bO;
    vK = outK;
    vO = outO;
    const int done = tau - (kLanes - 1);
    if (done >= first) {
      key[done] = vK[kLanes - 1];
      order[done] = vO[kLanes - 1];
    }
  }
  for (int t = 0; t < kLanes; ++t) {
    bestKey[t] = bK[t];
    bestOrder[t] = bO[t];
  }
}

}  // namespace

// The exchange sort compares every pair (i, j > i) and exchanges them when j's key is larger: entry i
// of pass i always holds the best key met so far. Pass i + t only needs an entry after pass i + t - 1
// is done with it, so several passes run side by side in one sweep; the exchanges, and with them the
// order of equal keys, are exactly those of one pass after another.
void exchangeSortDescending(std::vector<int32_t>& key, std::vector<int>& order) {
  const int n = static_cast<int>(key.size());
  int32_t* k = key.data();
  int* o = order.data();
  for (int i = 0; i < n; i += kLanes) {
    const int passes = std::min(kLanes, n - i);
    std::array<int32_t, kLanes> bestKey{};
    std::array<int, kLanes> bestOrder{};
    startPasses(k, o, i, passes, bestKey.data(), bestOrder.data());
    if (passes == kLanes) {
      sweepPasses(k, o, i + passes, n, bestKey.data(), bestOrder.data());
    } else {
      for (int p = i + passes; p < n; ++p)
        for (int t = 0; t < passes; ++t) exchangeStep(bestKey[t], bestOrder[t], k[p], o[p]);
    }
    for (int t = 0; t < passes; ++t) {
      k[i + t] = bestKey[t];
      o[i + t] = bestOrder[t];
    }
  }
}

void rankByPrize(Game& g) {
  GameState& s = g.s;
  const int n = std::clamp(s.catCount, 0, MaxCats);
  // Sorted on indices with their keys beside them, so that each record moves once; the order is the
  // same as exchanging whole records.
  std::vector<int> order(static_cast<size_t>(n));
  std::vector<int32_t> key(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  for (size_t i = 0; i < key.size(); ++i) key[i] = s.cats[i].totalPrize;
  exchangeSortDescending(key, order);
  g.ui.progress(1500, 3000);
  placeInOrder(CatTable(s.cats).first(static_cast<size_t>(n)), 0, order);
  findPlayerCat(s);
  g.ui.progress(3000, 3000);
}

}  // namespace polmina
