#pragma once
// The texts of the home view's details panel for the player's cat.
#include <string>

#include "world/state.h"

namespace polmina {

struct CatPanelText {
  std::u16string money;      // Lab(0): "1234万円"
  std::u16string name;       // Lab(1): the trimmed name
  std::u16string ageWeight;  // Lab(2): "3才/4521g"
  std::u16string sexGrowth;  // Lab(4): "男の子/早熟"
  std::u16string record;     // Lab(8): "12戦 3勝"
  std::u16string prize;      // Lab(10): "560 万"
  std::u16string catClass;   // Lab(9): empty for an SS cat, whose label is left as it was
  std::u16string title;      // LabSyogo: "称号　…" or empty
  std::u16string nextRace;   // Lab(7): the booked race's name or "未　定"
};

// Finds the player's cat and describes it.
CatPanelText catPanelText(GameState& s);

// The date label: "2001年1月1週".
std::u16string dateText(const GameState& s);
// The date for the ear: "2001年1月2週"; in English "January, week 2, 2001".
std::u16string spokenDateText(const GameState& s);

// The advice a click on the cat gives in weeks 2 to 4 of the very first month; empty otherwise.
std::u16string firstMonthAdvice(const GameState& s);
// A click on the cat: in those weeks its advice becomes what the chatter says next.
void clickCat(GameState& s);

}  // namespace polmina
