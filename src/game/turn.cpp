#include "game/turn.h"

#include <algorithm>
#include <array>

#include "game/plan.h"
#include "game/yearend.h"
#include "race/entry.h"
#include "race/results.h"
#include "race/week.h"
#include "rank/lists.h"
#include "world/calendar.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

// The week's three training amounts. In one pass they carry over from cat to cat: a computer cat whose
// menu sets nothing develops with what the previous cat ended with.
struct Gains {
  double speed = 0;
  double stamina = 0;
  double power = 0;

  void scale(double f) {
    speed *= f;
    stamina *= f;
    power *= f;
  }
  double sum() const { return speed + stamina + power; }
};

bool isPlayerCat(const CatRecord& c) { return c.owner == 1; }

void declineOnce(CatRecord& c) {
  if (c.power > 5000) c.power -= 2;
  if (c.stamina > 1000) c.stamina -= 2;
  if (c.speed > 7500) c.speed -= 3;
}

void declineWithAge(CatRecord& c) {
  if (c.age > 10) declineOnce(c);
  if (c.age > c.peakAge) declineOnce(c);
}

void playerGains(const CatRecord& c, Gains& gains) {
  gains.speed = c.trainSpeed1 + c.trainSpeed2;
  gains.stamina = c.trainStamina1 + c.trainStamina2;
  gains.power = c.trainPower1 + c.trainPower2;
}

// A computer cat picks a menu, most weeks its favourite; one that has passed a ceiling turns balanced.
void computerGains(Game& g, CatRecord& c, Gains& gains) {
  int menu = fixL(8 * g.rng.uniform() + 1);
  if (menu > 4) menu = c.favouriteTraining;
  switch (menu) {
    case 1:
      gains = {4, 1, 1};
      if (c.speedMax < c.speed) c.favouriteTraining = 4;
      break;
    case 2:
      gains = {2, 3, 1};
      if (c.staminaMax < c.stamina) c.favouriteTraining = 4;
      break;
    case 3:
      gains = {2, 1, 3};
      if (c.powerMax < c.power) c.favouriteTraining = 4;
      break;
    case 4:
      gains = {2, 2, 2};
      break;
    default:
      break;  // no menu: the gains stay as the previous cat left them
  }
  // Both draws are made every time.
  const bool mayRest = fixL(4 * g.rng.uniform()) != 0;
  const bool tired = c.condition < fixL(10 * g.rng.uniform() + 80);
  if (mayRest && tired) gains = {};
}

void changeWeight(Game& g, CatRecord& c) {
  const double d = fix(100 * g.rng.uniform());
  if (c.weight >= c.adultWeight)
    c.weight -= d / 2;
  else
    c.weight += d;
}

int baseFatigue(Game& g, const CatRecord& c, const Gains& gains) {
  int load;
  if (gains.sum() != 0)
    load = cintL(gains.speed + gains.stamina + gains.power + c.constitution);
  else
    load = isPlayerCat(c) ? 0 : -10;
  return load - (intFloorL(10 * g.rng.uniform()) + 2);
}

struct Growth {
  int fatigue;
  double factor;
};

// Growth by age and growth type: young cats of an early type grow fast, late types later.
Growth growthOf(const CatRecord& c) {
  const int type = c.growthType;
  if (type == 5) return {5, 1};
  if (c.age >= 1 && c.age <= 5) {
    static constexpr std::array<Growth, 4> young = {{{-10, 1.5}, {-8, 1.2}, {-6, 1}, {-10, 1.6}}};
    return type >= 1 && type <= 4 ? young[type - 1] : Growth{0, 1};
  }
  if (c.age >= 6 && c.age <= 8) {
    static constexpr std::array<Growth, 4> middle = {{{-6, 1}, {-8, 1.2}, {-10, 1.5}, {-10, 1.6}}};
    return type >= 1 && type <= 4 ? middle[type - 1] : Growth{0, 1};
  }
  if (c.age <= c.peakAge) return type >= 2 && type <= 4 ? Growth{-8, 1.2} : Growth{0, 1};
  if (c.age < 10) return {-4, 1};
  if (c.age < 15) return {-2, 1};
  return {-1, 1};
}

double conditionFactor(int condition) {
  if (condition < 1) return -1;
  if (condition <= 29) return 0;
  if (condition <= 64) return 1;
  if (condition <= 99) return 1.2;
  return 1.5;
}

void tradeSpeedAndStamina(Gains& gains) {
  if (gains.speed > gains.stamina) gains.stamina -= gains.speed / 4;
  if (gains.stamina > gains.speed) gains.speed -= gains.stamina / 4;
}

// Below its ceiling an ability takes the gain (and may overshoot for a week); at or above it, it is
// set back to the ceiling.
void applyGain(int32_t& ability, int32_t ceiling, double gain) {
  ability = ability < ceiling ? cintL(ability + gain) : ceiling;
}

void changeCondition(Game& g, CatRecord& c, int fatigue) {
  c.condition = static_cast<int16_t>(std::clamp(c.condition - fatigue, -32768, 32767));
  if (c.condition >= 106) {
    c.condition = fixL(4 * g.rng.uniform()) != 0 ? 90 : 105;
  } else if (c.condition < 0) {
    c.exhaustionCount = addSaturated(c.exhaustionCount, 1);
    if (c.exhaustionCount > 9) c.growthType = 5;
    c.condition = 0;
  } else if (c.starts > 90) {
    c.exhaustionCount = 10;
    c.growthType = 5;
  }
}

void applyFloors(CatRecord& c) {
  if (c.power < c.powerMax - 1000) c.power = c.powerMax - 1000;
  if (c.stamina < c.staminaMax / 2.0) c.stamina = cintL(c.staminaMax / 2.0);
  if (c.speed < c.speedMax - 4000) c.speed = c.speedMax - 4000;
}

void developCat(Game& g, int i, Gains& gains) {
  CatRecord& c = catAt(g.s, i);
  declineWithAge(c);
  if (isPlayerCat(c))
    playerGains(c, gains);
  else
    computerGains(g, c, gains);
  changeWeight(g, c);
  int fatigue = baseFatigue(g, c, gains);
  const Growth growth = growthOf(c);
  fatigue += growth.fatigue;
  gains.scale(growth.factor);
  gains.scale(conditionFactor(c.condition));
  tradeSpeedAndStamina(gains);
  if (c.age >= c.peakAge) gains.scale(-1);
  applyGain(c.speed, c.speedMax, gains.speed);
  applyGain(c.stamina, c.staminaMax, gains.stamina);
  applyGain(c.power, c.powerMax, gains.power);
  changeCondition(g, c, fatigue);
  if (g.s.formTick >= c.formCycleLength - 1) {
    uint8_t& step = g.s.formCycle.at(static_cast<size_t>(i));
    step = step + 1 >= 8 ? 0 : step + 1;
  }
  applyFloors(c);
}

bool trainingUnset(const CatRecord& c) {
  return c.trainSpeed1 == 0 && c.trainStamina1 == 0 && c.trainPower1 == 0 && c.trainSpeed2 == 0 &&
         c.trainStamina2 == 0 && c.trainPower2 == 0;
}

bool runsThisWeek(const GameState& s, const CatRecord& c) {
  return c.entryRace >= s.weekBase && c.entryRace <= s.weekBase + 4;
}

// The calendar names start with an eight-character date and race number (" 7/1 1R ").
std::u16string raceTitle(const GameState& s, int slot) { return slotAt(s, slot).raceName.substr(8); }

void updateNotice(GameState& s) {
  findPlayerCat(s);
  const CatRecord& cat = catAt(s, s.playerCat);
  if (runsThisWeek(s, cat))
    s.noticeLine = trf(u"今週は{race}に出走予定です", {{u"race", tr(raceTitle(s, cat.entryRace))}});
  else if (trainingUnset(cat))
    s.noticeLine = tr(NoTrainingNotice);
  else
    s.noticeLine.clear();
}

// The registration programme booked the player's cat by itself: the notice line says so, once. It
// comes after the week's remark, which reads the line as the week left it.
void tellProgrammeBooking(GameState& s) {
  if (s.programmeBooking < 0) return;
  s.noticeLine = trf(u"{race}に自動で登録されました",
                     {{u"race", shownRaceName(trim(slotAt(s, s.programmeBooking).raceName))}});
  s.programmeBooking = -1;
}

void changeOfYear(Game& g) {
  GameState& s = g.s;
  showYearAwards(g);
  s.year += 1;
  s.weekBase = 0;
  setYearEndRace(s);
  for (int i = 0; i < s.catCount; ++i) catAt(s, i).age = addSaturated(catAt(s, i).age, 1);
}

void continueRest(Game& g) {
  GameState& s = g.s;
  CatRecord& cat = catAt(s, s.playerCat);
  if (cat.restWeeks == 0) return;
  cat.restWeeks = addSaturated(cat.restWeeks, 1);
  if (cat.restWeeks != 5) return;
  s.pendingMessage = tr(u"休養させてくれたお陰で元気が出たニャ、また調教してくれニャ");
  s.remarkPending = true;
  s.conditionLevel = 1;
  // Building the list sorts the table; the player's cat is looked up again.
  rebuildCatList(s);
  CatRecord& rested = catAt(s, s.playerCat);
  rested.restWeeks = 0;
  rested.condition = 101;
}

// A running-style option is selected when at least two of the cat's style flags are set: the main
// window selects one exactly then, and a click on an option always sets two.
bool styleChosen(const CatRecord& c) {
  const auto& f = c.styleFlags;
  return (f[0] == 1 && f[1] == 1) || (f[0] == 1 && (f[2] == 1 || f[3] == 1)) ||
         (f[1] == 1 && (f[2] == 1 || f[3] == 1)) || (f[2] == 1 && f[3] == 1);
}

const char16_t* weekNews(int weekBase) {
  switch (weekBase) {
    case 35:
    case 115:
    case 195:
      return N_(u"今週はトピックスがあるニャ、見てニャ");
    case 75:
    case 155:
    case 235:
      return N_(u"今週はトピックスがあるニャ、是非見るニャ");
    case 40:
      return N_(u"今週は早猫賞の結果があるニャ、見てニャ");
    case 80:
      return N_(u"今週は桜猫賞の結果があるニャ、是非見るニャ");
    case 120:
      return N_(u"今週は優駿猫の結果があるニャ、是非見るニャ");
    case 160:
      return N_(u"今週は菊猫賞の結果があるニャ、見てニャ");
    case 200:
      return N_(u"今週は有猫賞の結果があるニャ、是非見るニャ");
    case 125:
      return N_(u"今週は新猫戦開催情報があるニャ、絶対見るニャ");
    default:
      return nullptr;
  }
}

constexpr const char16_t* kSleepOpen = N_(u"ムニャムニャ・・・・・");
constexpr const char16_t* kSleepClose = N_(u"　　ムニャムニャ・・");
constexpr const char16_t* kNothing = N_(u"今週はなにもないニャ");

void idleRemark(Game& g) {
  GameState& s = g.s;
  switch (s.conditionLevel) {
    case 6:
      s.pendingMessage = tr(kSleepOpen) + tr(kNothing) + u" " + tr(kSleepClose);
      break;
    case 3:
    case 4:
    case 5:
      s.pendingMessage = tr(intFloorL(6 * g.rng.uniform()) == 0 ? N_(u"お話ししようニャ") : kNothing);
      break;
    case 1:
    case 2:
      s.pendingMessage = tr(s.noticeLine == tr(NoTrainingNotice) ? N_(u"調教の予定が入ってないニャ！！") : kNothing);
      break;
    default:
      return;
  }
  s.remarkPending = true;
}

}  // namespace

void noticeAfterBooking(GameState& s) { updateNotice(s); }

uint8_t conditionLevelOf(int condition) {
  if (condition >= 101) return 1;
  if (condition >= 65) return 2;
  if (condition >= 30) return 3;
  if (condition >= 1) return 4;
  return 5;
}

void developCats(Game& g) {
  GameState& s = g.s;
  s.formTick = s.formTick == 5 ? 0 : s.formTick + 1;
  Gains gains;
  for (int i = 0; i < s.catCount; ++i) developCat(g, i, gains);
  findPlayerCat(s);
  const CatRecord& player = catAt(s, s.playerCat);
  if (player.restWeeks == 0) s.conditionLevel = conditionLevelOf(player.condition);
}

void advanceWeek(Game& g) {
  GameState& s = g.s;
  s.weekBase = static_cast<uint8_t>(s.weekBase + 5);
  if (s.week == 4 && s.month == 12) changeOfYear(g);
  if (s.week == 4) s.month = s.month == 12 ? 1 : s.month + 1;
  s.week = s.week == 4 ? 1 : s.week + 1;
  updateNotice(s);
  g.ui.refreshCatPanel(g);
  continueRest(g);
  developCats(g);
  rebuildCatList(s);
}

void nextWeek(Game& g) {
  GameState& s = g.s;
  s.noticeVisible = false;
  s.pendingMessage.clear();
  runWeekRaces(g);
}

void closeWeek(Game& g) {
  clearPlacedLines(g.s);
  registerCats(g);  // ends with the big-race invitations
  advanceWeek(g);
  if (!g.s.awardsPending) finishWeek(g);
}

void finishWeek(Game& g) {
  GameState& s = g.s;
  s.awardsPending = false;
  composeWeekRemark(g);
  tellProgrammeBooking(s);
  if (g.planner) g.planner->weekBegun(g);
  s.noticeVisible = true;
  if (g.watcher) g.watcher->weekClosed(g);
}

void composeWeekRemark(Game& g) {
  GameState& s = g.s;
  findPlayerCat(s);
  const CatRecord& cat = catAt(s, s.playerCat);
  if (runsThisWeek(s, cat)) {
    s.pendingMessage += tr(u"今週は出走するニャ");
    if (!styleChosen(cat)) s.pendingMessage += tr(u"\r\n 作戦を決めるニャ　　");
    s.remarkPending = true;
  }
  if (const char16_t* news = weekNews(s.weekBase)) {
    s.pendingMessage += std::u16string(u"\r\n") + tr(news);
    s.remarkPending = true;
  }
  if (s.pendingMessage.empty())
    idleRemark(g);
  else if (s.conditionLevel == 6)
    s.pendingMessage = tr(kSleepOpen) + s.pendingMessage + tr(kSleepClose);
}

}  // namespace polmina
