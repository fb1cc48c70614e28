#include "race/entry.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "race/bigrace.h"
#include "world/numbers.h"
#include "world/text.h"

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
  switch (cat.constitution) {
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

// The player's cat, found without moving playerCat (registration does not sort).
int playerIndex(const GameState& s) {
  for (int i = 0; i < s.catCount; ++i)
    if (catAt(s, i).owner == 1) return i;
  return -1;
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

std::u16string exclusionRemark(const GameState& s, int i) {
  const std::u16string& p = s.playerName;
  switch (i) {
    case 0:
      return trf(u"なんで出れないニャ{player}何とかしてニャ", {{u"player", p}});
    case 1:
      return trf(u"{player}　レースに出たかったニャ・・・", {{u"player", p}});
    case 2:
      return trf(u"{player}怒ってるニャ？・・・{cat}悪くないニャ", {{u"player", p}, {u"cat", s.playerCatName}});
    case 3:
      return trf(u"{player}何で出れないニャ", {{u"player", p}});
    default:
      return trf(u"{player}勝つ自身があったのに悔しいニャ", {{u"player", p}});
  }
}

std::u16string feverRemark(const GameState& s, int i) {
  const std::u16string& p = s.playerName;
  switch (i) {
    case 0:
      return trf(u"死んじゃうニャ　{player}　助けてニャ・・・", {{u"player", p}});
    case 1:
      return trf(u"体がだるいニャ　{player}・・・", {{u"player", p}});
    case 2:
      return trf(u"{player}　ごめんニャ　怒ってるニャ？", {{u"player", p}});
    case 3:
      return trf(u"{player}　これくらい大丈夫ニャ", {{u"player", p}});
    default:
      return trf(u"{player}　勝つ自身があったのに悔しいにゃ", {{u"player", p}});
  }
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
  const int k2 = fixL(g.rng.uniform() * (cat.constitution + 10));
  if (k2 <= 10) {
    g.ui.tell(Question::Excluded, raceTitle(k), tr(u"頭数オーバーの為\r\n出走除外となりました"));
    s.pendingMessage = exclusionRemark(s, fixL(5 * g.rng.uniform()));
  } else {
    g.ui.tell(Question::Withdrawn, raceTitle(k), tr(u"急な発熱の為\r\n出走を取消しました。"));
    cat.condition = 0;
    s.pendingMessage = feverRemark(s, fixL(5 * g.rng.uniform()));
  }
}

}  // namespace

std::u16string raceTitle(int k) {
  std::u16string title = u"R";
  title += num(k);
  return title;
}

int buildField(Game& g, int k, int c) {
  GameState& s = g.s;
  const int raceClass = slotAt(s, c).raceClass;
  int placed = 0;
  for (int e = s.scanFirst; s.scanStep > 0 ? e <= s.scanLast : e >= s.scanLast; e += s.scanStep) {
    CatRecord& cat = catAt(s, e);
    if (cat.entryRace != c) continue;
    if (cat.restWeeks != 0) {
      cat.entryRace = -1;
      g.ui.tell(Question::MissedResting, raceTitle(k), tr(u"休養中の為\r\n出走出来ませんでした"));
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

void setScanOrder(GameState& s, bool forward) {
  s.scanFirst = forward ? 0 : s.catCount - 1;
  s.scanLast = forward ? s.catCount - 1 : 0;
  s.scanStep = forward ? 1 : -1;
}

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
  const int player = playerIndex(s);
  const bool wasFree = player >= 0 && catAt(s, player).entryRace == -1;
  for (int n = 0; n < s.catCount; ++n) registerOne(g, upwards ? n : s.catCount - 1 - n);
  // Told once on the notice line; an invitation below is the player's own choice.
  s.programmeBooking = wasFree ? catAt(s, player).entryRace : int16_t{-1};
  inviteBigRace(g);
}

void orderGates(std::span<Runner> runners, int n) {
  for (int a = 0; a <= n - 2; ++a)
    for (int b = a; b <= n - 1; ++b)
      if (runners[static_cast<size_t>(a)].drawKey < runners[static_cast<size_t>(b)].drawKey)
        std::swap(runners[static_cast<size_t>(a)], runners[static_cast<size_t>(b)]);
}

}  // namespace polmina
