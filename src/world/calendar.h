#pragma once
#include <array>
#include <string>
#include <string_view>

#include "world/state.h"

namespace polmina {

// Calendar index of race `race` (1..5) of week `week` (1..4) of month `month` (1..12).
inline int slotIndex(int month, int week, int race) { return (month - 1) * 20 + (week - 1) * 5 + (race - 1); }

// Writes all 240 races, the last of the year from the current year; raceState is left alone.
void fillCalendar(GameState& s);
// The year's closing race, the S race of 12/4.
inline constexpr int YearEndSlot = CalendarSize - 1;

// The year's five A-class big races, whose winners and runners-up the champions panel shows.
inline constexpr std::array<int, 5> ChampionSlots = {39, 79, 119, 159, 199};

// The year's closing race (YearEndSlot) rotates with year mod 3: name and distance.
void setYearEndRace(GameState& s);

// A slot's race name as shown: the date and race number, and the name in the shown language (the
// calendar and the history keep it in Japanese).
std::u16string shownRaceName(std::u16string_view raceName);
// The 26 title names; the rest of the table stays empty.
void fillTitleNames(GameState& s);

}  // namespace polmina
