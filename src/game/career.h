#pragma once
// The career record: one cat's full report, shown in a box titled with the cat's name.
#include <string>

#include "world/game.h"

namespace polmina {

enum class CareerView {
  Active,    // a cat of the table: ends with this year's prize and the next race
  Retired,   // a cat of the hall: ends with the total prize
  Farewell,  // the player's cat leaving: ends with the closing sentence
};

// The record's text, lines separated by CR LF.
std::u16string careerRecordText(const GameState& s, const CatRecord& c, CareerView view);

// Shows the record of entry `index` (-1 shows nothing): of the hall of retired cats for the Retired
// view, else of the cat table.
void showCareerRecord(Game& g, int index, CareerView view);

}  // namespace polmina
