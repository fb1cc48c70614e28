#include "world/state.h"

#include <stdexcept>
#include <string>

#include "world/calendar.h"
#include "world/i18n.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

GameState::GameState() { resetProgramState(*this); }

void resetProgramState(GameState& s) {
  s.catCount = 1;
  s.retiredCount = -1;
  s.year = 2001;
  s.month = 1;
  s.week = 1;
  s.cats[0].age = 1;
  s.conditionLevel = 2;
  // No race has been run yet: the results of "the last race" are empty, not twelve copies of cat 0.
  s.finishOrder.fill(-1);
  fillTitleNames(s);
  for (auto& c : s.winnerCaptions) c = N_(u"未　定");
  for (auto& c : s.runnerUpCaptions) c = u"未　定";
}

namespace {
template <typename Table>
auto& checkedAt(Table& t, int index, const char* what) {
  if (index < 0 || index >= static_cast<int>(t.size()))
    throw std::out_of_range(std::string(what) + " index " + std::to_string(index));
  return t[static_cast<size_t>(index)];
}
}  // namespace

CatRecord& catAt(GameState& s, int index) { return checkedAt(s.cats, index, "cats"); }
const CatRecord& catAt(const GameState& s, int index) { return checkedAt(s.cats, index, "cats"); }
CatRecord& retiredAt(GameState& s, int index) { return checkedAt(s.retiredCats, index, "retiredCats"); }
RaceSlot& slotAt(GameState& s, int index) { return checkedAt(s.calendar, index, "calendar"); }
const RaceSlot& slotAt(const GameState& s, int index) { return checkedAt(s.calendar, index, "calendar"); }

int playerCatIndex(const GameState& s) {
  for (int i = 0; i < MaxCats; ++i)
    if (s.cats[i].owner == 1) return i;
  return s.playerCat;
}

void findPlayerCat(GameState& s) { s.playerCat = static_cast<int16_t>(playerCatIndex(s)); }

void recountCats(GameState& s) {
  int last = -1;
  for (int i = 0; i < MaxCats; ++i)
    if (s.cats[i].inUse == -1) last = i;
  s.catCount = last + 1;
}

std::u16string shownName(const CatRecord& c) { return shownName(trim(c.name)); }

}  // namespace polmina
