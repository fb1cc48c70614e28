#include "game/intake.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string>

#include "game/newcat.h"
#include "world/names.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kIntakeSize = 200;
constexpr int kBarStep = 15;  // width the progress bar grows by per new cat

std::u16string_view pick(std::span<const std::u16string_view> table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size()) throw std::out_of_range("name fragment");
  return table[static_cast<size_t>(index)];
}

// A drawn name and the word indices that decide the cat's sex, whether or not they are part of it.
struct DrawnName {
  std::u16string name;
  int frontWord = 0;
  int backWord = 0;
};

DrawnName drawName(Rng& rng) {
  const int shape = fixL(30 * rng.uniform());
  const int frontWord = fixL(132 * rng.uniform());
  const int frontPun = fixL(108 * rng.uniform());
  const int joinerFlag = fixL(2 * rng.uniform());
  const int backPun = fixL(50 * rng.uniform());
  const int backWord = fixL(69 * rng.uniform());
  const int joiner = fixL(2 * rng.uniform());
  std::u16string name;
  if (shape >= 1 && shape <= 5) {
    name = std::u16string(pick(names::frontPuns(), frontPun)) +
           std::u16string(pick(names::backWords(), backWord));
  } else if (shape >= 6) {
    name = std::u16string(pick(names::frontWords(), frontWord)) +
           std::u16string(pick(names::backPuns(), backPun));
  } else if (joinerFlag == 1) {
    name = std::u16string(pick(names::frontPuns(), frontPun)) +
           std::u16string(pick(names::joiners(), joiner)) +
           std::u16string(pick(names::backWords(), backWord));
  } else {
    name = std::u16string(pick(names::frontWords(), frontWord)) +
           std::u16string(pick(names::joiners(), joiner)) + std::u16string(pick(names::backPuns(), backPun));
  }
  return {name, frontWord, backWord};
}

// Unique among the cats before this one, the player's cat and the hall of retired cats.
bool nameTaken(const GameState& s, const std::u16string& name, int index) {
  for (int i = 0; i < index; ++i)
    if (trimView(catAt(s, i).name) == name) return true;
  if (name == s.playerCatName) return true;
  for (int i = 0; i < s.retiredCount; ++i)
    if (trimView(s.retiredCats.at(static_cast<size_t>(i)).name) == name) return true;
  return false;
}

DrawnName drawUniqueName(Game& g, int index) {
  for (;;) {
    DrawnName d = drawName(g.rng);
    if (!d.name.empty() && d.name.size() <= 10 && !nameTaken(g.s, d.name, index)) return d;
  }
}

uint8_t sexOf(const DrawnName& d, uint8_t drawn) {
  if (d.frontWord >= names::FrontMasculineFirst) return 0;
  if (d.frontWord >= names::FrontFeminineFirst) return 1;
  if (d.backWord >= names::BackMasculineFirst) return 0;
  if (d.backWord >= names::BackFeminineFirst) return 1;
  return drawn;
}

uint8_t growthTypeFrom(int x) {
  if (x == 0) return 4;
  if (x <= 200) return 1;
  if (x <= 800) return 2;
  return 3;
}

// Name, looks, weight, breed, growth and the clean sheet of a new cat.
void createCat(Game& g, int index) {
  Rng& rng = g.rng;
  const DrawnName d = drawUniqueName(g, index);
  CatRecord& c = catAt(g.s, index);
  c.sex = sexOf(d, static_cast<uint8_t>(fixL(2 * rng.uniform())));
  c.owner = static_cast<int16_t>(index + 1);
  c.name = padRight(d.name, CatNameLength);
  c.title = 0;
  c.entryRace = -1;
  c.age = 1;
  c.weight = 100 * fix(10 * rng.uniform() + 1);
  c.breed = static_cast<uint8_t>(fixL(11 * rng.uniform()));
  const WeightSpread w = adultWeightSpread(c.breed);
  c.adultWeight = c.weight + intFloor(w.span * rng.uniform() + w.base);
  c.catClass = ClassNew;
  c.starts = 0;
  c.wins = 0;
  c.points = 10000;
  clearPlacingCounters(c);
  c.condition = 80;
  c.growthType = growthTypeFrom(fixL(1000 * rng.uniform()));
  c.peakAge = static_cast<uint8_t>(fixL((c.growthType + 4) * rng.uniform() + 10) + c.growthType);
  c.looks = static_cast<uint8_t>(fixL(5 * rng.uniform() + 1));
  c.inUse = -1;
  c.constitution = static_cast<uint8_t>(std::min(fixL(10 * rng.uniform() + 1), 5));
  c.formCycleLength = static_cast<uint8_t>(fixL(5 * rng.uniform() + 1));
  c.restWeeks = 0;
  c.retired = 0;
}

// Favourite training by the band of m = 0..39 (m >= 26, 11..25, 6..10, 2..5, 1, 0); 0 = keep.
constexpr uint8_t kFavourite[3][6] = {{1, 1, 2, 3, 0, 4}, {4, 3, 1, 2, 2, 2}, {2, 2, 1, 3, 0, 4}};

int favouriteBand(int m) {
  if (m >= 26) return 0;
  if (m >= 11) return 1;
  if (m >= 6) return 2;
  if (m >= 2) return 3;
  return m == 1 ? 4 : 5;
}

void drawStamina(Rng& rng, CatRecord& c, AbilityGroup group) {
  const int m = fixL(50 * rng.uniform());
  switch (group) {
    case GroupA:
      c.staminaMax = m == 0 ? 3100 : (m < 10 ? 2300 : 1800);
      c.stamina = fixL(700 * rng.uniform() + 900);
      break;
    case GroupB:
      c.staminaMax = m < 10 ? 2800 : (m < 20 ? 2000 : 2300);
      c.stamina = fixL(500 * rng.uniform() + 1500);
      break;
    case GroupC:
      c.staminaMax = m < 10 ? 2500 : (m < 20 ? 2800 : 3100);
      c.stamina = fixL(400 * rng.uniform() + 1800);
      break;
  }
}

void drawSpeed(Rng& rng, CatRecord& c, AbilityGroup group) {
  const int m = fixL(50 * rng.uniform());
  switch (group) {
    case GroupA:
      c.speedMax = m < 10 ? 9500 : (m < 30 ? 9200 : 9150);
      c.speed = fixL(800 * rng.uniform() + 5200);
      break;
    case GroupB:
      c.speedMax = m < 10 ? 9400 : (m < 20 ? 9250 : 9100);
      c.speed = fixL(600 * rng.uniform() + 5300);
      break;
    case GroupC:
      c.speedMax = m == 0 ? 9300 : (m < 10 ? 9200 : 9050);
      c.speed = fixL(400 * rng.uniform() + 5400);
      break;
  }
}

// The two legendary names make champions; the lucky words make a fast cat.
void applyNameLuck(CatRecord& c) {
  const std::u16string name = trim(c.name);
  for (int k = 0; k < 2; ++k) {
    if (name != names::ChampionNames[k]) continue;
    c.speedMax = 9500;
    c.speed = 6250;
    c.staminaMax = 3100;
    c.stamina = 2100;
    c.growthType = 4;
    c.constitution = 1;
    c.breed = k == 0 ? 1 : 8;
    return;
  }
  const std::u16string_view v(name);
  if (v.size() >= 8 && v.substr(3, 5) == names::PrincessWord)
    c.speed = 6200;
  else if (v.size() >= 7 && v.substr(3, 4) == names::LuckyWord)
    c.speed = 6200;
}

void drawRareTalent(Rng& rng, CatRecord& c) {
  const int r = fixL(200 * rng.uniform());
  if (r == 0) {
    c.speedMax = 9500;
    c.speed = fixL(400 * rng.uniform() + 6200);
    c.powerMax = 5500;
    c.power = fixL(500 * rng.uniform() + 4000);
    c.staminaMax = 3300;
    c.stamina = fixL(300 * rng.uniform() + 2200);
  } else if (r <= 4) {
    c.speedMax = 9400;
    c.speed = fixL(300 * rng.uniform() + 6000);
    c.powerMax = 5400;
    c.power = fixL(300 * rng.uniform() + 4000);
    c.staminaMax = 3100;
    c.stamina = fixL(300 * rng.uniform() + 2000);
  }
}

// Two of the four running styles (1 逃げ, 2 先行, 3 差し, 4 追込), by a draw of 0..5.
constexpr int kStylePairs[6][2] = {{1, 2}, {1, 4}, {1, 3}, {2, 3}, {2, 4}, {3, 4}};

void drawAbilities(Game& g, int index) {
  Rng& rng = g.rng;
  CatRecord& c = catAt(g.s, index);
  const AbilityGroup group = abilityGroup(c.breed);
  const uint8_t favourite = kFavourite[group][favouriteBand(fixL(40 * rng.uniform()))];
  if (favourite != 0) c.favouriteTraining = favourite;
  drawStamina(rng, c, group);
  drawSpeed(rng, c, group);
  applyNameLuck(c);
  c.powerMax = c.speedMax - 4000;
  c.power = fixL(500 * rng.uniform() + 4000);
  drawRareTalent(rng, c);
  const int style = fixL(6 * rng.uniform());
  c.styleFlags = {};
  for (int flag : kStylePairs[std::clamp(style, 0, 5)]) c.styleFlags[flag - 1] = 1;
}

}  // namespace

void clearPlacingCounters(CatRecord& c) {
  for (int placing = 0; placing < 3; ++placing) {
    for (int race = 0; race < 3; ++race) c.results.at(sRaceCounter(race, placing)) = 0;
    for (int b = 0; b <= 3; ++b) c.results.at(aRaceCounter(b, placing)) = 0;
    for (CounterBlock k : {CounterBlock::B, CounterBlock::C, CounterBlock::D}) c.results.at(classCounter(k, placing)) = 0;
  }
}

void intakeNewCats(Game& g) {
  // The crop starts at the first free slot; with only the player's cat counted it ends at 199.
  const int first = g.s.catCount;
  const int last = std::min(g.s.catCount == 1 ? kIntakeSize - 1 : g.s.catCount + kIntakeSize - 1, MaxCats - 1);
  const int barWidth = kIntakeSize * kBarStep;
  g.ui.progress(0, barWidth);
  for (int u = first; u <= last; ++u) {
    createCat(g, u);
    g.ui.progress((u - first + 1) * kBarStep, barWidth);
  }
  for (int u = first; u <= last; ++u) drawAbilities(g, u);
  recountCats(g.s);
  g.ui.progressDone();
}

}  // namespace polmina
