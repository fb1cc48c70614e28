#pragma once
// Small commands of the home view that change the player's cat: running style, rest, training levels.
#include <array>
#include <string>
#include <vector>

#include "world/game.h"

namespace polmina {

// conditionLevel from the player's cat: 6 while resting, else 1..5 by condition.
void updateConditionLevel(GameState& s);
// All six training levels to 0 and conditionLevel 6 (a rest has begun).
void resetTraining(GameState& s);
// "休養" confirmed: the player's cat rests for a month and its training is cleared.
void startRest(GameState& s);
// "休養": the question, and on yes startRest. True when the cat rests.
bool askRest(Game& g);
// The cat list opened: the active cats' or the retired cats' (remembered with the save).
void openCatList(GameState& s, bool active);
// The open cat list sorted by `order` (0..3, remembered with the save): its rows.
std::vector<std::u16string> sortCatList(GameState& s, int order);
// The six training levels (0..3) in the order trainSpeed1, trainStamina1, trainPower1, trainSpeed2,
// trainStamina2, trainPower2; the notice line and conditionLevel follow.
void setTraining(GameState& s, const std::array<int, 6>& levels);
// Running-style option 0 "逃げ", 1 "先行", 2 "差し", 3 "追込": one coin decides the second flag.
void chooseRunningStyle(Game& g, int option);
// The option a set of style flags shows (-1 for none), in the order the home view checks them.
int runningStyleOption(const std::array<uint8_t, 4>& flags);

}  // namespace polmina
