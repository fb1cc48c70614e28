#include "race/entry.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>
#include <vector>

#include "game/numbers.h"
#include "game/text.h"
#include "race/bigrace.h"
#include "race/model.h"
#include "race/results.h"

namespace polmina {

namespace {

constexpr int kSearchSlots = 60;
constexpr int kMinCondition = 45;

// ---- Registration ----

// How many weeks ahead (in slots) a cat starts looking: the young ones get longer to prepare.
int searchStart(const CatRecord& cat) {
  switch (cat.age) {
    case 1:
      return 15;
    case 2:
      return 20;
    case 3:
      return 25;
    default:
      return 30;
  }
}

// How many registrations a slot may already hold for this cat still to try it.
int crowdLimit(const CatRecord& cat) {
  if (cat.catClass >= ClassS && cat.catClass <= ClassB) return 100;
  if (cat.growthType == 4) return 50;
  switch (cat.trait2) {
    case 1:
      return 20;
    case 2:
      return 18;
    case 3:
      return 17;
    case 4:
      return 16;
    default:
      return 15;
  }
}

bool suitable(const CatRecord& cat, const RaceSlot& slot, int crowd) {
  const int c = cat.catClass;
  const int r = slot.raceClass;
  bool classFits;
  if (c <= ClassS) {
    classFits = r == ClassS || r == ClassA;
  } else if (c <= ClassC) {
    classFits = r == c || r == c + 1;
  } else {
    classFits = r == c;
  }
  const int limit = c == ClassA ? 20 : crowd;
  return classFits && slot.raceState < limit;
}

void registerOne(Game& g, int i) {
  const CatRecord& cat = catAt(g.s, i);
  const int start = g.s.weekBase + searchStart(cat);
  if (cat.retired == -1 || cat.entryRace != -1 || cat.condition < kMinCondition) return;
  const int crowd = crowdLimit(cat);
  for (int d = 1; d <= kSearchSlots; ++d) {
    int slot = start + d;
    if (slot >= CalendarSize) slot -= CalendarSize;
    if (suitable(cat, slotAt(g.s, slot), crowd) && tryRegister(g, i, slot)) return;
  }
}

// ---- The field ----

std::u16string raceTitle(int k) {
  std::u16string title = u"R";
  title += num(k);
  return title;
}

std::u16string exclusionRemark(const GameState& s, int i) {
  const std::u16string& p = s.playerName;
  switch (i) {
    case 0:
      return u"なんで出れないニャ" + p + u"何とかしてニャ";
    case 1:
      return p + u"　レースに出たかったニャ・・・";
    case 2:
      return p + u"怒ってるニャ？・・・" + s.playerCatName + u"悪くないニャ";
    case 3:
      return p + u"何で出れないニャ";
    default:
      return p + u"勝つ自身があったのに悔しいニャ";
  }
}

std::u16string feverRemark(const GameState& s, int i) {
  const std::u16string& p = s.playerName;
  switch (i) {
    case 0:
      return u"死んじゃうニャ　" + p + u"　助けてニャ・・・";
    case 1:
      return u"体がだるいニャ　" + p + u"・・・";
    case 2:
      return p + u"　ごめんニャ　怒ってるニャ？";
    case 3:
      return p + u"　これくらい大丈夫ニャ";
    default:
      return p + u"　勝つ自身があったのに悔しいにゃ";
  }
}

std::u16string cancelledRemark(int condition) {
  if (condition >= 100) return u"絶対に勝つ自信があったレースだったのにニャ　　";
  if (condition >= 65) return u"レースに出たかったのに中止になって残念だニャ　　";
  if (condition >= 30) return u"先週はレースが中止になって残念だニャ　　";
  if (condition >= 1) return u"体調が悪かったしレースが中止になって良かったニャ　　";
  return u"死にそうだったからレースが中止になって良かったニャ　　";
}

double formFactor(int step) {
  switch (step) {
    case 1:
    case 3:
      return 0.99;
    case 0:
    case 4:
      return 0.98;
    case 5:
    case 7:
      return 0.97;
    case 6:
      return 0.96;
    default:
      return 1.0;
  }
}

void scaleRunner(Runner& run, double factor) {
  run.effort = cintL(run.effort * factor);
  run.staminaLeft = cintL(run.staminaLeft * factor);
  run.cruise = cintL(run.cruise * factor);
}

void placeRunner(Game& g, Runner& run, int e, int raceClass) {
  const CatRecord& cat = catAt(g.s, e);
  run.catIndex = static_cast<int16_t>(e);
  run.effort = 2 * cat.condition + cat.speed;
  run.staminaLeft = cintL(cat.stamina / 5.0 * 6);
  run.cruise = cat.power;
  run.styleFlags = cat.styleFlags;
  run.breed = cat.breed;
  run.phaseEnd1 = cat.reserved1[0];
  run.phaseEnd2 = cat.reserved1[1];
  run.lateWindow = cat.reserved1[2];
  run.finalWindow = cat.reserved1[3];
  run.drawKey = static_cast<uint8_t>(intFloorL(100 * g.rng.uniform() + 1));
  // A cat dropping down a class carries a handicap.
  if (cat.catClass < raceClass) scaleRunner(run, 0.98);
  scaleRunner(run, formFactor(g.s.formCycle.at(static_cast<size_t>(e))));
}

// A cat that found the field full loses its registration; the player hears why.
void turnAway(Game& g, int k, CatRecord& cat) {
  GameState& s = g.s;
  cat.entryRace = -1;
  if (trimView(cat.name) != s.playerCatName) return;
  const int k2 = fixL(g.rng.uniform() * (cat.trait2 + 10));
  if (k2 <= 10) {
    g.ui.tell(raceTitle(k), u"頭数オーバーの為\r\n出走除外となりました");
    s.pendingMessage = exclusionRemark(s, fixL(5 * g.rng.uniform()));
  } else {
    g.ui.tell(raceTitle(k), u"急な発熱の為\r\n出走を取消しました。");
    cat.condition = 0;
    s.pendingMessage = feverRemark(s, fixL(5 * g.rng.uniform()));
  }
}

// Places the registered cats in scan order; returns how many were placed.
int buildField(Game& g, int k, int c) {
  GameState& s = g.s;
  const int raceClass = slotAt(s, c).raceClass;
  int placed = 0;
  for (int e = s.scanFirst; s.scanStep > 0 ? e <= s.scanLast : e >= s.scanLast; e += s.scanStep) {
    CatRecord& cat = catAt(s, e);
    if (cat.entryRace != c) continue;
    if (cat.restWeeks != 0) {
      cat.entryRace = -1;
      g.ui.tell(raceTitle(k), u"休養中の為\r\n出走出来ませんでした");
    } else if (placed < MaxRunners) {
      placeRunner(g, s.runners[static_cast<size_t>(placed)], e, raceClass);
      s.runnerCount = ++placed;
    } else {
      turnAway(g, k, cat);
    }
    if (s.scanStep == 0) break;
  }
  return placed;
}

void holdRace(Game& g, int k, int c) {
  GameState& s = g.s;
  const RaceSlot& slot = slotAt(s, c);
  orderGates(s.runners, s.runnerCount);
  bool watch = false;
  if (catAt(s, s.playerCat).entryRace == c) {
    s.money -= entryFee(slot.raceClass);
    watch = g.ui.askYesNo(raceTitle(k), s.playerCatName + u"が出走します\r\n御覧になりますか？");
  } else if (slot.raceClass == ClassS || slot.raceClass == ClassA) {
    watch = g.ui.askYesNo(raceTitle(k), slot.raceName + u"が開催されます\r\n御覧になりますか？");
  }
  if (g.watcher) g.watcher->raceStarting(g, k, watch);
  if (watch) {
    s.raceDone = 0;
    g.ui.watchRace(g, k);
  } else {
    startRace(g, k);
    while (s.raceDone != -1) {
      prepareFrames(s);
      raceTick(g, k);
    }
  }
  if (g.watcher) g.watcher->raceFinished(g, k);
  s.raceDone = 0;
}

void cancelRace(Game& g, int k, int c) {
  GameState& s = g.s;
  showRaceCancelled(s, k);
  CatRecord& player = catAt(s, s.playerCat);
  for (int e = 0; e < s.catCount; ++e) {
    CatRecord& cat = catAt(s, e);
    if (cat.entryRace != c) continue;
    if (player.entryRace == c) {
      player.entryRace = -1;
      g.ui.tell(raceTitle(k), u"出走頭数が少数の為\r\nレースが中止になりました");
      s.pendingMessage = cancelledRemark(player.condition);
    }
    cat.entryRace = -1;
  }
}

void setScanOrder(GameState& s, bool forward) {
  s.scanFirst = forward ? 0 : s.catCount - 1;
  s.scanLast = forward ? s.catCount - 1 : 0;
  s.scanStep = forward ? 1 : -1;
}

}  // namespace

bool tryRegister(Game& g, int i, int slot) {
  CatRecord& cat = catAt(g.s, i);
  RaceSlot& race = slotAt(g.s, slot);
  g.rng.reseed();
  bool booked = false;
  // An attempt draws only when its precondition holds; a later attempt may book the same slot again.
  const auto attempt = [&](bool precondition, bool distanceFits) {
    if (!precondition) return;
    if (intFloorL(3 * g.rng.uniform()) != 0 || !distanceFits) return;
    cat.entryRace = static_cast<int16_t>(slot);
    race.raceState += 1;
    booked = true;
  };
  const bool longRace = race.distance == 200 || race.distance == 250 || race.distance == 300;
  const bool shortRace = race.distance == 100 || race.distance == 150;
  attempt((cat.age != 1 && cat.entryRace == -1) || cat.stamina > 2000, longRace);
  attempt((cat.age != 1 && cat.entryRace == -1) || cat.speed > 7000, shortRace);
  attempt(cat.age == 1 || cat.stamina <= 1500, shortRace);
  return booked;
}

void registerCats(Game& g) {
  GameState& s = g.s;
  const bool upwards = s.registrationPass == 0;
  s.registrationPass += 1;
  if (s.registrationPass >= 2) s.registrationPass = 0;
  for (int n = 0; n < s.catCount; ++n) registerOne(g, upwards ? n : s.catCount - 1 - n);
  inviteBigRace(g);
}

void orderGates(std::span<Runner> runners, int n) {
  for (int a = 0; a <= n - 2; ++a)
    for (int b = a; b <= n - 1; ++b)
      if (runners[static_cast<size_t>(a)].drawKey < runners[static_cast<size_t>(b)].drawKey)
        std::swap(runners[static_cast<size_t>(a)], runners[static_cast<size_t>(b)]);
}

int32_t entryFee(int raceClass) {
  static constexpr int32_t kFees[] = {20, 15, 10, 5, 4, 15, 10, 5, 3, 3};
  return raceClass >= 0 && raceClass <= 9 ? kFees[raceClass] : 0;
}

void runRace(Game& g, int k) {
  GameState& s = g.s;
  const int c = s.weekBase + k - 1;
  const int raceClass = slotAt(s, c).raceClass;
  // The top classes are filled richest first, for this race and the rest of the week.
  if (raceClass >= ClassS && raceClass <= ClassB) setScanOrder(s, true);
  if (buildField(g, k, c) >= MinRunners) {
    holdRace(g, k, c);
  } else {
    cancelRace(g, k, c);
  }
  for (Runner& run : s.runners) run.catIndex = -1;
}

void runWeekRaces(Game& g) {
  GameState& s = g.s;
  findPlayerCat(s);
  for (int k = 1; k <= 5; ++k) showRaceLine(s, k);
  for (int k = 0; k < 5; ++k) slotAt(s, s.weekBase + k).raceState = 0;
  s.runnerCount = 0;
  s.pendingMessage.clear();
  // A new week's newspaper draws its preview wording afresh.
  s.previewTemplate = 0;
  g.rng.reseed();
  setScanOrder(s, fixL(2 * g.rng.uniform()) == 1);
  for (int k = 1; k <= 5; ++k) {
    s.finishOrder.fill(-1);
    for (CatRecord& snap : s.raceSnapshot) snap.name.clear();
    runRace(g, k);
  }
  g.ui.progress(0, 3000);
  rankByPrize(g);
  g.ui.pause(0.2);
  g.ui.progressDone();
}

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
  std::vector<CatRecord> sorted;
  sorted.reserve(static_cast<size_t>(n));
  for (int i : order) sorted.push_back(std::move(s.cats[static_cast<size_t>(i)]));
  std::move(sorted.begin(), sorted.end(), s.cats.begin());
  findPlayerCat(s);
  g.ui.progress(3000, 3000);
}

}  // namespace polmina
