#include "world.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

#include "game/intake.h"
#include "game/newcat.h"
#include "game/turn.h"
#include "game/yearend.h"
#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "store/record.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina::startdata {

namespace {

// Kanji: the intake builds its names from katakana only, so no computer cat can ever share it.
constexpr const char16_t* kStandInName = u"仮置猫";
constexpr int kStartCats = MaxCats - 1;

void setUpTable(Game& g) {
  GameState& s = g.s;
  s.playerName = u"生成係";
  namePlayerCat(s, kStandInName, 0);
  createPlayerCat(g, TraitUnknown);
  catAt(s, 0).peakAge = 255;  // never old enough to retire, so the game never ends
  s.playerCat = 0;
  s.retiredCount = 0;
  while (s.catCount < MaxCats) {
    const int before = s.catCount;
    intakeNewCats(g);
    if (s.catCount <= before) throw std::logic_error("the intake added no cats");
  }
  fillCalendar(s);
}

// Too tired to be registered: the stand-in never takes a place in a field.
void benchStandIn(GameState& s) {
  findPlayerCat(s);
  catAt(s, s.playerCat).condition = 0;
}

// One week as the player who only ever presses "次週" and OK; true when it closed the year.
bool playWeek(Game& g) {
  benchStandIn(g.s);
  nextWeek(g);
  closeWeek(g);
  if (!g.s.awardsPending) return false;
  yearEnd(g);
  if (g.s.gameOver) throw std::logic_error("the stand-in retired and ended the game");
  finishWeek(g);
  return true;
}

void playSeasons(Game& g, HeadlessFrontend& ui, int years) {
  for (int y = 0; y < years; ++y) {
    while (!playWeek(g)) ui.messages.clear();
    ui.messages.clear();
  }
}

std::vector<CatRecord> computerCats(const GameState& s) {
  std::vector<CatRecord> cats;
  for (int i = 0; i < s.catCount; ++i)
    if (s.cats[i].owner != 1) cats.push_back(s.cats[i]);
  return cats;
}

bool trains(const CatRecord& c) {
  return c.trainSpeed1 || c.trainStamina1 || c.trainPower1 || c.trainSpeed2 || c.trainStamina2 ||
         c.trainPower2;
}

std::string catProblem(const CatRecord& c, size_t k) {
  const std::string at = "cat " + std::to_string(k + 1) + " (" + toUtf8(trim(c.name)) + "): ";
  if (c.owner == 0 || c.owner == 1) return at + "owner " + std::to_string(c.owner);
  if (c.retired != 0 || c.inUse != -1) return at + "not an active cat";
  if (c.restWeeks != 0 || trains(c)) return at + "rests or has a training menu";
  if (c.entryRace < -1 || c.entryRace >= CalendarSize) return at + "booked outside the calendar";
  return {};
}

std::string missingClass(const std::vector<CatRecord>& cats) {
  for (int cls = ClassS; cls <= ClassNew; ++cls) {
    const bool present =
        std::any_of(cats.begin(), cats.end(), [&](const CatRecord& c) { return c.catClass == cls; });
    if (!present) return "no cat of class " + std::to_string(cls);
  }
  return {};
}

}  // namespace

World liveSeasons(uint64_t seed, int years) {
  World w{std::make_unique<GameState>(), {}};
  GameRng rng = GameRng::fixed(seed);
  HeadlessFrontend ui;  // answers every question No: no race is watched, no invitation accepted
  FixedClock clock;
  Game g{*w.state, rng, ui, clock};
  setUpTable(g);
  playSeasons(g, ui, years);
  w.cats = computerCats(*w.state);
  return w;
}

std::string startDataProblem(const World& w) {
  const GameState& s = *w.state;
  if (s.month != 1 || s.week != 1 || s.weekBase != 0) return "the world does not stand at 1/1";
  if (w.cats.size() != static_cast<size_t>(kStartCats))
    return std::to_string(w.cats.size()) + " computer cats instead of " + std::to_string(kStartCats);
  for (size_t k = 0; k < w.cats.size(); ++k)
    if (auto p = catProblem(w.cats[k], k); !p.empty()) return p;
  return missingClass(w.cats);
}

std::vector<uint8_t> startDataBytes(const World& w) {
  RecordImage img;
  for (size_t k = 0; k < w.cats.size(); ++k) img.put(static_cast<int>(k) + 1, encodeCat(w.cats[k]));
  for (int j = 0; j < MaxRetired; ++j) img.put(kStartCats + 1 + j, encodeCat(w.state->retiredCats[j]));
  return img.bytes();
}

std::string census(const World& w) {
  std::map<int, int> byClass, byAge;
  int titled = 0, booked = 0;
  for (const CatRecord& c : w.cats) {
    byClass[c.catClass] += 1;
    byAge[c.age] += 1;
    titled += c.title != 0 ? 1 : 0;
    booked += c.entryRace != -1 ? 1 : 0;
  }
  std::ostringstream out;
  out << "cats per class:";
  for (auto [cls, n] : byClass) out << " " << cls << ":" << n;
  out << "\ncats per age:";
  for (auto [age, n] : byAge) out << " " << age << ":" << n;
  const auto& hall = w.state->retiredCats;
  const auto inHall =
      std::count_if(hall.begin(), hall.end(), [](const CatRecord& c) { return c.owner != 0; });
  out << "\ntitled " << titled << ", booked into a race " << booked << ", hall of retired cats " << inHall
      << "\n";
  return out.str();
}

}  // namespace polmina::startdata
