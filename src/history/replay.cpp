#include "history/replay.h"

#include <algorithm>

#include "race/model.h"
#include "world/text.h"

namespace polmina {

namespace {

class StillClock final : public Clock {
 public:
  double secondsSinceMidnight() override { return 0; }
};

CatRecord catOf(const RecordedRunner& r, int slot) {
  CatRecord c;
  c.name = padRight(r.name, CatNameLength);
  c.owner = static_cast<int16_t>(r.owner);
  c.breed = static_cast<uint8_t>(r.breed);
  c.age = static_cast<uint8_t>(r.age);
  c.sex = static_cast<uint8_t>(r.sex);
  c.catClass = static_cast<int16_t>(r.catClass);
  c.speed = r.speed;
  c.stamina = r.stamina;
  c.power = r.power;
  c.condition = static_cast<int16_t>(r.condition);
  c.peakAge = static_cast<uint8_t>(r.peakAge);
  c.adultWeight = r.adultWeight;
  c.entryRace = static_cast<int16_t>(slot);
  c.inUse = -1;
  return c;
}

}  // namespace

ReplayWorld replayWorld(const RecordedRace& race) {
  ReplayWorld w{std::make_unique<GameState>(), GameRng::replaying(race.rng, race.clock), race.slot % 5 + 1};
  GameState& s = *w.state;
  s.year = static_cast<int16_t>(race.year);
  s.month = static_cast<uint8_t>(race.month);
  s.week = static_cast<uint8_t>(race.week);
  s.weekBase = static_cast<uint8_t>(race.slot - (w.raceNumber - 1));
  RaceSlot& slot = slotAt(s, race.slot);
  slot.raceName = race.raceName;
  slot.raceClass = static_cast<int16_t>(race.raceClass);
  slot.distance = race.distance;
  slot.prize = race.slotPrize;
  const int n = std::min(static_cast<int>(race.field.size()), MaxRunners);
  s.catCount = std::max(n, 1);
  for (int i = 0; i < n; ++i) {
    const RecordedRunner& r = race.field[static_cast<size_t>(i)];
    s.cats[static_cast<size_t>(i)] = catOf(r, race.slot);
    if (r.owner == 1) {
      s.playerCat = static_cast<int16_t>(i);
      s.playerCatName = r.name;
    }
    Runner& run = s.runners[static_cast<size_t>(i)];
    run.catIndex = static_cast<int16_t>(i);
    run.effort = r.effort;
    run.cruise = r.cruise;
    run.staminaLeft = r.staminaLeft;
    run.styleFlags = r.styleFlags;
    run.breed = static_cast<uint8_t>(r.breed);
  }
  s.runnerCount = n;
  s.finishOrder.fill(-1);
  return w;
}

std::vector<std::u16string> replayRace(const RecordedRace& race) {
  ReplayWorld w = replayWorld(race);
  SilentFrontend ui;
  StillClock clock;
  Game g{*w.state, w.rng, ui, clock};
  GameState& s = *w.state;
  if (race.watched) {
    runWatchedRace(g, w.raceNumber);
  } else {
    startRace(g, w.raceNumber);
    while (!s.raceDone) {
      prepareFrames(s);
      raceTick(g, w.raceNumber);
    }
  }
  std::vector<std::u16string> names;
  for (int16_t i : s.finishOrder)
    if (i >= 0) names.push_back(race.field.at(static_cast<size_t>(i)).name);
  return names;
}

std::vector<std::u16string> recordedOrder(const RecordedRace& race) {
  std::vector<const RecordedRunner*> placed;
  for (const RecordedRunner& r : race.field)
    if (r.place > 0) placed.push_back(&r);
  std::sort(placed.begin(), placed.end(), [](auto* a, auto* b) { return a->place < b->place; });
  std::vector<std::u16string> names;
  for (const RecordedRunner* r : placed) names.push_back(r->name);
  return names;
}

}  // namespace polmina
