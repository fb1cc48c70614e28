#pragma once
// What the cat says when the player clicks it: a remark left by the week, a note about this week's
// race, a sleeping noise while it rests, or one of sixty sayings by condition, age and chance.
#include <array>
#include <string>
#include <string_view>

#include "world/game.h"

namespace polmina {

using ChatterTable = std::array<std::u16string, 12>;
struct ChatterTexts {
  std::array<ChatterTable, 5> tables;
};

// The five tables of sayings with the current names (buildChatterTexts).
ChatterTexts buildChatterTexts(const std::u16string& playerName, const std::u16string& playerCatName);
// Condition band 0..4: 101 and above, 66..100, 31..65, 1..30, 0 and below.
int chatterBand(int condition);
// The sleeping noise of a condition.
std::u16string sleepingNoise(int condition);
// "猫猫猫" at the start becomes the richest cat's trimmed name (with the sort side effect on cats[0..998]).
std::u16string substituteTopCat(GameState& s, std::u16string_view text);
// What the chatter window shows when it opens: the pending remark, else the note about this week's
// race, else a sleeping noise or a saying (which then stays pending). The remarks that are said only
// once are cleared from pendingMessage. Draws at most one random number. Returns the text to show.
std::u16string chooseChatterText(Game& g, const ChatterTexts& texts);

}  // namespace polmina
