#include "race/week.h"

#include "race/entry.h"
#include "race/model.h"
#include "race/results.h"
#include "rank/prize_order.h"
#include "world/calendar.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

std::u16string cancelledRemark(int condition) {
  if (condition >= 100) return tr(u"絶対に勝つ自信があったレースだったのにニャ　　");
  if (condition >= 65) return tr(u"レースに出たかったのに中止になって残念だニャ　　");
  if (condition >= 30) return tr(u"先週はレースが中止になって残念だニャ　　");
  if (condition >= 1) return tr(u"体調が悪かったしレースが中止になって良かったニャ　　");
  return tr(u"死にそうだったからレースが中止になって良かったニャ　　");
}

void holdRace(Game& g, int k, int c) {
  GameState& s = g.s;
  const RaceSlot& slot = slotAt(s, c);
  orderGates(s.runners, s.runnerCount);
  bool watch = false;
  if (catAt(s, s.playerCat).entryRace == c) {
    s.money -= entryFee(slot.raceClass);
    // The question's last line on its own, so that a scripted player recognises it in any language.
    watch = g.ui.askYesNo(Question::WatchOwnRace, raceTitle(k), trf(u"{cat}が出走します\r\n", {{u"cat", s.playerCatName}}) + tr(u"御覧になりますか？"));
  } else if (slot.raceClass == ClassS || slot.raceClass == ClassA) {
    watch = g.ui.askYesNo(Question::WatchBigRace, raceTitle(k), trf(u"{race}が開催されます\r\n", {{u"race", shownRaceName(slot.raceName)}}) + tr(u"御覧になりますか？"));
  }
  if (g.watcher) g.watcher->raceStarting(g, k, watch);
  if (watch) {
    s.raceDone = false;
    g.ui.watchRace(g, k);
  } else {
    startRace(g, k);
    while (!s.raceDone) {
      prepareFrames(s);
      raceTick(g, k);
    }
  }
  if (g.watcher) g.watcher->raceFinished(g, k);
  s.raceDone = false;
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
      g.ui.tell(Question::CalledOff, raceTitle(k), tr(u"出走頭数が少数の為\r\nレースが中止になりました"));
      s.pendingMessage = cancelledRemark(player.condition);
    }
    cat.entryRace = -1;
  }
}

}  // namespace

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

}  // namespace polmina
