#include "game/watching.h"

namespace polmina {

bool bigRaceWithoutPlayerCat(const GameState& s) {
  // A field is set up from the race's entries and cleared when the race is over.
  const int first = s.runners[0].catIndex;
  if (first < 0) return false;
  for (int i = 0; i < s.runnerCount && i < MaxRunners; ++i)
    if (s.runners[static_cast<size_t>(i)].catIndex == s.playerCat) return false;
  const int slot = catAt(s, first).entryRace;
  if (slot < 0 || slot >= CalendarSize) return false;
  const int raceClass = slotAt(s, slot).raceClass;
  return raceClass == ClassS || raceClass == ClassA;
}

}  // namespace polmina
