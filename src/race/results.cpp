#include "race/results.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "race/bigrace.h"
#include "world/calendar.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {
namespace {

// The B-class races closing the odd months; they have their own counters.
constexpr std::array<int, 6> kBClassCountedSlots = {19, 59, 99, 139, 179, 219};
constexpr int kPlacingOther = 4;

bool isPlayer(const CatRecord& c) { return c.owner == 1; }

// Element 0..4 of the champions panel for a big race, -1 for any other slot.
int championIndex(int slot) {
  const auto it = std::find(ChampionSlots.begin(), ChampionSlots.end(), slot);
  return it == ChampionSlots.end() ? -1 : static_cast<int>(it - ChampionSlots.begin());
}

// The counter column of a big race: 優駿猫 and 菊猫賞 count together.
int bigRaceCounter(int slot) {
  constexpr std::array<int, 5> columns = {1, 2, 3, 3, 4};
  const int i = championIndex(slot);
  return i < 0 ? -1 : columns[static_cast<size_t>(i)];
}

// The cat that finished at `place` (1 = winner), or nullptr when the order has a gap there.
CatRecord* finisherAt(GameState& s, int place) {
  const int index = s.finishOrder[static_cast<size_t>(place - 1)];
  return index == -1 ? nullptr : &catAt(s, index);
}

// Place of the player's cat among the n finishers, 0 when it did not run.
int playerPlace(GameState& s, int n) {
  for (int place = 1; place <= n; ++place) {
    const CatRecord* cat = finisherAt(s, place);
    if (cat && isPlayer(*cat)) return place;
  }
  return 0;
}

// 1. Snapshot of each finisher, then the registrations are consumed and every runner tires.
void snapshotAndTire(Game& g, int n) {
  GameState& s = g.s;
  for (int i = 0; i < n; ++i) {
    const size_t u = static_cast<size_t>(i);
    if (s.finishOrder[u] != -1) s.raceSnapshot[u] = catAt(s, s.finishOrder[u]);
    if (s.runners[u].catIndex == -1) continue;
    CatRecord& cat = catAt(s, s.runners[u].catIndex);
    cat.entryRace = -1;
    // The remark after the race only tells 0 (or less) from the better bands, so the byte keeps 0..255.
    if (isPlayer(cat)) s.preRaceCondition = static_cast<uint8_t>(std::clamp<int>(cat.condition, 0, 255));
    const int drop = intFloorL(50 * g.rng.uniform() + 20);
    cat.condition =
        static_cast<int16_t>(std::max<int>(cat.condition - drop, std::numeric_limits<int16_t>::min()));
  }
}

// Shares of the prize for places 1..5: the cat's record gets P / first, the player's purse P / second.
struct PrizeShare {
  int record;
  int purse;
};
constexpr std::array<PrizeShare, 5> kPrizeShares = {{{1, 1}, {4, 3}, {6, 5}, {10, 8}, {20, 10}}};

void payPrize(GameState& s, CatRecord& cat, int place, int32_t prize) {
  const PrizeShare& share = kPrizeShares[static_cast<size_t>(place - 1)];
  const int32_t won = cintL(double(prize) / share.record);
  cat.totalPrize += won;
  cat.yearPrize += won;
  if (isPlayer(cat)) s.money += cintL(double(prize) / share.purse);
}

void showPlaced(GameState& s, int k, int place, const CatRecord& cat) {
  ResultLine& line = s.resultLines.at(static_cast<size_t>(k - 1))[static_cast<size_t>(place)];
  line.text = cat.name;
  line.textColour = isPlayer(cat) ? ColourRed : ColourBlack;
}

void showChampion(GameState& s, int slot, int place, const CatRecord& cat) {
  const int i = championIndex(slot);
  if (i < 0) return;
  if (place == 1)
    s.winnerCaptions[static_cast<size_t>(i)] = u"1着 " + cat.name;
  else
    s.runnerUpCaptions[static_cast<size_t>(i)] = u"2着 " + cat.name;
}

// The prize-money classes (5..9) follow the career prize T.
int16_t classByPrize(int32_t total, int16_t below70) {
  if (total >= 700) return ClassD;
  if (total >= 200) return Class700;
  if (total >= 70) return Class200;
  return below70;
}

void promoteWinner(CatRecord& cat, int raceClass) {
  if (cat.catClass > ClassD)
    cat.catClass = classByPrize(cat.totalPrize, Class70);
  else if (cat.catClass >= raceClass)
    cat.catClass = static_cast<int16_t>(std::max(cat.catClass - 1, int(ClassSS)));
}

void settleLoserClass(CatRecord& cat) {
  if (cat.catClass <= ClassD) return;
  const int16_t unchanged = cat.catClass == ClassNew ? int16_t(ClassMaiden) : cat.catClass;
  cat.catClass = classByPrize(cat.totalPrize, unchanged);
}

// The placed cats grow, except in the S-class race and once they have reached their peak age.
void grow(CatRecord& cat, int place, int raceClass) {
  if (raceClass == ClassS || cat.age >= cat.peakAge) return;
  // Speed, stamina and power at age 0; each year of age takes a tenth off, nothing is left at 10.
  constexpr int youth[3][3] = {{150, 100, 50}, {120, 60, 30}, {80, 40, 20}};
  // By place, then race class A / B..D / the lower classes.
  constexpr int bonus[3][3][3] = {{{40, 30, 20}, {30, 20, 10}, {20, 10, 5}},
                                  {{30, 20, 10}, {20, 10, 5}, {10, 5, 0}},
                                  {{20, 10, 0}, {10, 5, 0}, {5, 3, 0}}};
  const int column = raceClass == ClassA ? 0 : (raceClass >= ClassB && raceClass <= ClassD ? 1 : 2);
  const int a = cat.age;
  const int p = place - 1;
  auto gain = [&](int ability) {
    const int base = youth[p][ability];
    return (a > 10 ? 0 : base - base / 10 * a) + bonus[p][column][ability];
  };
  cat.speed += gain(0);
  cat.stamina += gain(1);
  cat.power += gain(2);
}

// 2 and 3. From the last finisher up to the winner: prize, panel, captions, class, growth, counters.
void payAndCount(GameState& s, int k, int slot, int n) {
  const RaceSlot& race = slotAt(s, slot);
  for (int place = n; place >= 1; --place) {
    CatRecord* cat = finisherAt(s, place);
    if (!cat) continue;
    if (place <= 5) payPrize(s, *cat, place, race.prize);
    if (place == 1) cat->wins = addSaturated(cat->wins, 1);
    if (place <= 3) showPlaced(s, k, place, *cat);
    if (place <= 2) showChampion(s, slot, place, *cat);
    if (place == 1) promoteWinner(*cat, race.raceClass);
    if (place <= 3) grow(*cat, place, race.raceClass);
    recordPlacing(s, slot, *cat, std::min(place, kPlacingOther));
  }
  for (int place = 2; place <= n; ++place)
    if (CatRecord* cat = finisherAt(s, place)) settleLoserClass(*cat);
}

// Text around the player's name.
struct Remark {
  const char16_t* text;  // with {player}
};

constexpr Remark kPlacedRemarks[3][5] = {
    {{N_(u"{player}見たニャ？見たニャ？見たニャ？見たニャ？　勝ったニャ　　　")},
     {N_(u"{player}見てたニャ？　嬉しいニャ？　もっと喜ぶニャ　　")},
     {N_(u"やったニャー{player}が応援してくれたから勝てたニャ　　")},
     {N_(u"{player}見たニャ？１着だったニャ、嬉しいニャ　　")},
     {N_(u"どうニャ？{player}、誉めてニャ　　")}},
    {{N_(u"{player}２着だったニャ　悔しいニャー　　")},
     {N_(u"{player}見てたニャ？　ごめんニャ？　２着だったニャ　　")},
     {N_(u"くそニャー　{player}が応援してくれたのに２着だったニャ　　")},
     {N_(u"{player}見たニャ？２着だったニャ、残念ニャ　　")},
     {N_(u"ごめんニャ{player}、２着だったニャ")}},
    {{N_(u"{player}３着だったニャ　悔しいニャー　　")},
     {N_(u"{player}ごめんニャ？　３着だったニャ　許してニャ　")},
     {N_(u"くそニャー{player}が応援してくれたのに３着だったニャ　　")},
     {N_(u"{player}ごめんニャ？３着だったニャ、残念ニャ　　")},
     {N_(u"ごめんニャ{player}、３着だったニャ　怒ってるニャ？　　")}},
};

std::u16string unplacedRemark(int condition, const std::u16string& playerName) {
  if (condition > 100)
    return trf(u"相手が強かったのかニャ？、それとも作戦ミスかニャ？{player}何でニャ？", {{u"player", playerName}});
  if (condition >= 66)
    return tr(u"調子は悪くなかったんだけどニャ、でも相手が強かったし、絶好調で勝負したかったニャ");
  if (condition >= 31) return tr(u"調子は悪くなかったんだけどニャ、でも相手が強かったし、やっぱ作戦ミスかニャ？");
  if (condition >= 1) return tr(u"調子が悪かったニャ、つぎは頑張るから、体調管理しっかりしてくれニャ");
  return tr(u"体調が悪すぎたニャ、全然走れなかったニャ、あれじゃ勝てないニャ");
}

// 4. The player's cat talks about its race.
void sayRemark(Game& g, int n) {
  GameState& s = g.s;
  g.rng.reseed();
  const int i = std::clamp(fixL(5 * g.rng.uniform()), 0, 4);
  const int place = playerPlace(s, n);
  if (place >= 1 && place <= 3) {
    const Remark& r = kPlacedRemarks[place - 1][i];
    s.pendingMessage = trf(r.text, {{u"player", s.playerName}});
  } else if (place >= 4) {
    s.pendingMessage = unplacedRemark(s.preRaceCondition, s.playerName);
  }
  if (!s.pendingMessage.empty()) s.remarkPending = true;
}

// 5. Points move for every finisher; every runner has one more start.
void movePointsAndStarts(GameState& s, int raceClass, int n) {
  for (int place = 1; place <= n; ++place)
    if (CatRecord* cat = finisherAt(s, place)) cat->points += pointsChange(raceClass, place);
  for (int i = 0; i < n; ++i) {
    const int index = s.runners[static_cast<size_t>(i)].catIndex;
    if (index != -1) catAt(s, index).starts = addSaturated(catAt(s, index).starts, 1);
  }
}

// The cat tells the player when its placing has won it a start in a big race.
void announceQualification(GameState& s, int n) {
  const int place = playerPlace(s, n);
  if (place == 0) return;
  const CatRecord& cat = *finisherAt(s, place);
  if (cat.entryRace == -1) return;
  const std::u16string remark = trf(u"{race}の出走権を獲得したニャ", {{u"race", shownRaceName(slotAt(s, cat.entryRace).raceName)}});
  s.pendingMessage = s.pendingMessage.empty() ? remark : s.pendingMessage + u"\r\n" + remark;
  s.remarkPending = true;
}

// 6. Titles of every finisher, in finishing order.
void awardTitles(GameState& s, int n) {
  for (int place = 1; place <= n; ++place) {
    CatRecord* cat = finisherAt(s, place);
    if (!cat) continue;
    const int title = earnedTitle(*cat);
    if (title >= 0) cat->title = static_cast<uint8_t>(title);
  }
}

}  // namespace

void finishRace(Game& g, int k, int runnerCount) {
  GameState& s = g.s;
  const int slot = s.weekBase + k - 1;
  const int raceClass = slotAt(s, slot).raceClass;
  const int n = std::clamp(runnerCount, 0, MaxRunners);
  snapshotAndTire(g, n);
  payAndCount(s, k, slot, n);
  sayRemark(g, n);
  movePointsAndStarts(s, raceClass, n);
  qualify(s, slot);
  announceQualification(s, n);
  awardTitles(s, n);
}

void recordPlacing(GameState& s, int slot, CatRecord& cat, int placing) {
  const int row = std::clamp(placing, 1, kPlacingOther) - 1;
  const int raceClass = slotAt(s, slot).raceClass;
  int index = -1;
  if (slot == YearEndSlot) {
    index = static_cast<int>(sRaceCounter((s.year % 3 + 3) % 3, row));
  } else if (const int b = bigRaceCounter(slot); b > 0) {
    index = static_cast<int>(aRaceCounter(b, row));
  } else if (std::find(kBClassCountedSlots.begin(), kBClassCountedSlots.end(), slot) !=
             kBClassCountedSlots.end()) {
    index = static_cast<int>(classCounter(CounterBlock::B, row));
  } else if (raceClass == ClassC) {
    index = static_cast<int>(classCounter(CounterBlock::C, row));
  } else if (raceClass == ClassD) {
    index = static_cast<int>(classCounter(CounterBlock::D, row));
  }
  if (index >= 0)
    cat.results[static_cast<size_t>(index)] = addSaturated(cat.results[static_cast<size_t>(index)], 1);
}

int earnedTitle(const CatRecord& c) {
  const int f0 = c.results[sRaceCounter(0, 0)], f1 = c.results[sRaceCounter(1, 0)],
            f2 = c.results[sRaceCounter(2, 0)];
  const int f = f0 + f1 + f2;
  int w = 0;
  for (int b = 0; b <= 4; ++b) w += c.results[aRaceCounter(b, 0)];
  // Tora, chinchilla and kuro cats have titles of their own.
  auto byBreed = [&](int tora, int chinchilla, int kuro, int other) {
    return c.breed == 0 ? tora : c.breed == 1 ? chinchilla : c.breed == 8 ? kuro : other;
  };
  if (f0 > 2 && f1 > 2 && f2 > 2) return 1;
  if (f > 5) return 3;
  if (f > 4) return 4;
  if (f0 >= 1 && f1 >= 1 && f2 >= 1) return 2;
  if (f > 2) return 5;
  if (f2 > 1) return byBreed(6, 7, 8, 9);
  if (f1 > 1) return byBreed(10, 11, 12, 13);
  if (f0 > 1) return byBreed(14, 15, 16, 17);
  if (f > 1) return 25;
  if (f == 1) return 18;
  if (w >= 5) return 19;
  if (w >= 3) return c.sex != 0 ? 21 : 20;
  if (w >= 1) return c.sex != 0 ? 23 : 22;
  if (c.results[classCounter(CounterBlock::B, 0)] >= 1) return 24;
  return -1;
}

int32_t pointsChange(int raceClass, int place) {
  // The placed entries, then each further place moves by `step` x (place - `from`).
  struct Scale {
    std::array<int, 5> placed;
    int placedCount;
    int step;
    int from;
  };
  static constexpr Scale scales[] = {
      {{-100, -90, -50, -30, -5}, 5, 2, 6},  // S
      {{-95, -85, -45, -25, 0}, 4, 2, 5},    // A
      {{-90, -80, -40, -20, 0}, 4, 2, 5},    // B
      {{-50, -40, -10, 0, 0}, 3, 1, 4},      // C
      {{-3, -2, -1, 0, 0}, 3, 0, 0},         // D and below
  };
  const Scale& sc = scales[std::clamp(raceClass, 0, 4)];
  if (place <= sc.placedCount) return sc.placed[static_cast<size_t>(place - 1)];
  return sc.step * (place - sc.from);
}

uint32_t raceLineBackground(int raceClass) {
  switch (raceClass) {
    case ClassS:
      return 0xFFC0FF;
    case ClassA:
      return 0xC0C0FF;
    case ClassB:
      return 0xC0E0FF;
    case ClassC:
      return 0xC0FFFF;
    case ClassD:
      return 0xC0FFC0;
    case Class700:
    case Class200:
    case Class70:
      return 0xFFFFC0;
    case ClassMaiden:
    case ClassNew:
      return 0xFFC0C0;
    default:
      return ColourWindow;
  }
}

void showRaceLine(GameState& s, int k) {
  const RaceSlot& race = slotAt(s, s.weekBase + k - 1);
  ResultLine& line = s.resultLines.at(static_cast<size_t>(k - 1))[0];
  line.text = race.raceName;
  line.background = raceLineBackground(race.raceClass);
}

void showRaceCancelled(GameState& s, int k) {
  auto& lines = s.resultLines.at(static_cast<size_t>(k - 1));
  for (size_t e = 1; e <= 3; ++e) {
    lines[e].text = N_(u"中止");
    lines[e].calledOff = true;
  }
}

void clearPlacedLines(GameState& s) {
  for (auto& lines : s.resultLines) {
    for (size_t e = 1; e <= 3; ++e) {
      lines[e].text.clear();
      lines[e].textColour = ColourBlack;
      lines[e].calledOff = false;
    }
  }
}

}  // namespace polmina
