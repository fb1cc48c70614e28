#include "game/yearend.h"

#include <algorithm>
#include <span>

#include "game/career.h"
#include "game/intake.h"
#include "rank/sort.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kCullSize = 200;

int tableEnd(const GameState& s) { return std::clamp(s.catCount, 0, MaxCats); }

struct AgeBand {
  int lo;
  int hi;
};
constexpr std::array<AgeBand, 6> kAgeBands = {{{0, 3}, {4, 6}, {7, 9}, {10, 12}, {13, 15}, {16, 255}}};

// Classes S and SS count with S, new cats with the maidens.
int censusSlot(int catClass) { return std::clamp(catClass, 0, 8); }

using Census = std::array<int, 9>;

Census takeCensus(const GameState& s) {
  Census census{};
  for (int i = 0; i < tableEnd(s); ++i) census[censusSlot(s.cats[i].catClass)] += 1;
  return census;
}

struct CullRule {
  bool remove;
  bool toHall;
  int slot;  // the census counter that drops when the cat goes
};

// Whether a cat that is not yet too old goes, judged by how crowded its class still is.
CullRule judgeByClass(const CatRecord& c, const Census& census) {
  const bool titled = c.title != 0;
  switch (c.catClass) {
    case 1:
      return {census[1] >= 6 && (census[1] > 8 || c.yearPrize < 100), titled, 1};
    case 2:
      return {census[2] > 50, titled, 2};
    case 3:
      return {census[3] > 80, false, 3};
    case 4:
      return {census[4] > 100, false, 4};
    case 5:
      return {census[5] > 129, false, 5};
    case 6:
      return {census[6] > 125, false, 6};
    case 7:
      return {census[7] > 150, false, 7};
    case 8:
      return {census[8] > 160, false, 8};
    default:
      return {census[0] >= 5 && (census[0] > 8 || c.yearPrize < 300), titled, 0};
  }
}

// The player's cat is never culled: by its name (which also spares a computer cat of the same name)
// and, so that a record whose name differs from playerCatName can never be lost, by its owner mark.
bool spared(const GameState& s, const CatRecord& c) {
  return c.owner == 1 || trimView(c.name) == s.playerCatName;
}

// Removes at most 200 cats, oldest and poorest first; returns how many went.
int cullCats(GameState& s, Census& census) {
  sortByAgeAndYearPrize(std::span(s.cats), false, 0, tableEnd(s) - 1);
  findPlayerCat(s);
  int removed = 0;
  for (int i = 0; i < tableEnd(s) && removed < kCullSize; ++i) {
    CatRecord& c = s.cats[i];
    if (spared(s, c)) continue;
    CullRule rule{true, false, censusSlot(c.catClass)};
    if (c.age <= c.peakAge + 8) rule = judgeByClass(c, census);
    if (!rule.remove) continue;
    if (rule.toHall) addRetiredCat(s, i);
    clearCat(s, i);
    census[rule.slot] -= 1;
    ++removed;
  }
  return removed;
}

int countActive(const GameState& s) {
  int n = 0;
  for (int i = 0; i < tableEnd(s); ++i) n += s.cats[i].retired == 0 ? 1 : 0;
  return n;
}

void closeYear(Game& g) {
  GameState& s = g.s;
  Census census = takeCensus(s);
  if (s.catCount >= MaxCats) {
    cullCats(s, census);
    compactCats(s);
    // The new cats take only the slots the cull freed: the intake fills from catCount on, so catCount
    // is the number of cats still racing. With the full 200 removed this is 800.
    s.catCount = countActive(s);
    findPlayerCat(s);
  }
  for (int i = 0; i < tableEnd(s); ++i) s.cats[i].yearPrize = 0;
  for (auto& c : s.winnerCaptions) c = N_(u"未　定");
  for (auto& c : s.runnerUpCaptions) c = u"未　定";
  for (int i = 0; i < tableEnd(s); ++i)
    if (s.cats[i].catClass == ClassNew) s.cats[i].catClass = ClassMaiden;
  intakeNewCats(g);
  g.ui.progressDone();
  s.awardsPending = false;
}

void farewell(Game& g) {
  GameState& s = g.s;
  g.ui.tell(Question::Retirement, BoxTitle, trf(u"{cat}が引退することになりました。", {{u"cat", trim(catAt(s, s.playerCat).name)}}));
  showCareerRecord(g, s.playerCat, CareerView::Farewell);
  g.ui.tell(Question::GameEnd, BoxTitle, tr(u"ゲームを終了します\r\nありがとうございました"));
  s.gameOver = true;
  if (g.watcher) g.watcher->gameEnded(g);
}

}  // namespace

// Too old and too poor: the player's cat leaves racing, and with it the game ends.
bool playerRetires(const CatRecord& c) { return c.age >= c.peakAge && c.yearPrize < 500; }

void showYearAwards(Game& g) {
  GameState& s = g.s;
  s.awardsPending = true;
  for (auto& name : s.awardNames) name.clear();
  g.ui.pause(0.5);
  sortByYearPrize(std::span(s.cats), false, 0, tableEnd(s) - 1);
  reverseRange(std::span(s.cats), tableEnd(s) - 1);
  findPlayerCat(s);
  for (size_t b = 0; b < kAgeBands.size(); ++b) {
    // The whole table is scanned, as the awards always have been.
    for (const CatRecord& c : s.cats) {
      if (c.age >= kAgeBands[b].lo && c.age <= kAgeBands[b].hi && c.retired == 0) {
        s.awardNames[b] = c.name;
        break;
      }
    }
    g.ui.pause(1.0);
  }
  if (s.catCount > 999) {
    const auto best =
        std::find_if(s.cats.begin(), s.cats.end(), [](const CatRecord& c) { return c.retired == 0; });
    if (best != s.cats.end()) s.awardNames[6] = trim(best->name);
  }
}

void yearEnd(Game& g) {
  GameState& s = g.s;
  findPlayerCat(s);
  if (playerRetires(catAt(s, s.playerCat))) {
    farewell(g);
    return;
  }
  closeYear(g);
}

void clearCat(GameState& s, int i) {
  CatRecord& c = catAt(s, i);
  CatRecord cleared;
  cleared.catClass = ClassNew;
  cleared.entryRace = -1;
  cleared.points = 10000;
  cleared.retired = -1;
  cleared.inUse = -1;
  cleared.raceMark = c.raceMark;
  cleared.results = c.results;
  clearPlacingCounters(cleared);
  c = cleared;
}

void compactCats(GameState& s) {
  // The next active cat after i lies beyond everything moved so far, so the search goes on from there.
  int next = 1;
  for (int i = 0; i < MaxCats - 1; ++i) {
    if (s.cats[i].retired != -1) continue;
    next = std::max(next, i + 1);
    while (next < MaxCats && s.cats[next].retired != 0) ++next;
    if (next == MaxCats) return;
    s.cats[i] = s.cats[next];
    clearCat(s, next);
  }
}

void addRetiredCat(GameState& s, int index) {
  CatRecord& cat = catAt(s, index);
  if (s.retiredCount < 100) {
    // Before a game has set up its hall the count is -1; the first retired cat still goes to entry 0.
    if (s.retiredCount < 0) s.retiredCount = 0;
    s.retiredCount += 1;
    cat.retired = -1;
    retiredAt(s, s.retiredCount - 1) = cat;
    return;
  }
  sortByTotalPrizeOnly(std::span(s.retiredCats), false, 0, 99);
  if (s.retiredCats[0].totalPrize >= cat.totalPrize) return;
  cat.retired = -1;
  s.retiredCats[0] = cat;
}

}  // namespace polmina
