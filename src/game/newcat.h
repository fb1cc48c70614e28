#pragma once
// New cats: the player's own cat from the new-game wizard, and what it shares with the yearly intake
// of computer cats (breed groups). The wizard's windows live in the UI; this is their logic.
#include <string>
#include <string_view>

#include "world/game.h"
#include "world/i18n.h"

namespace polmina {

// A name typed in the wizard, checked and converted for storing.
struct NameCheck {
  bool ok = false;
  std::u16string name;     // the converted name when ok
  std::u16string message;  // what the refusal box says when not ok
};

// Spaces removed, half-width letters, digits, signs and katakana turned full width, at most 10
// characters; characters the save file cannot hold are mended where there is a clear twin, else refused.
NameCheck checkName(std::u16string_view text);

// The character choice of the wizard's third page, in the order of its list.
enum PlayerTrait { TraitSpeed = 0, TraitPower, TraitStamina, TraitHealth, TraitLooks, TraitUnknown };
inline constexpr std::u16string_view TraitChoices[] = {N_(u"スピード"), N_(u"パワー"),   N_(u"スタミナ"),
                                                       N_(u"健康"),     N_(u"ルックス"), N_(u"分らない")};

// Page 1 accepted: the lead text of page 2 for the player's sex (0 male).
std::u16string catPageLead(int playerSex);
// Page 1 accepted: the player's name (as checked) and sex (0 male).
void namePlayer(GameState& s, std::u16string_view name, int sex);
// Page 3: breed `breed` (0..10) chosen for the player's cat.
void choosePlayerBreed(GameState& s, int breed);
// Page 2 accepted: the player's cat gets its owner mark, name (space padded) and sex in cats[0].
void namePlayerCat(GameState& s, std::u16string_view name, int sex);
// Page 3 confirmed: fills cats[0] (owner, name, sex and breed already set) for a new game.
void createPlayerCat(Game& g, int trait);
// The cat's first words to the player at the start of a new game (for pendingMessage); playerCat must
// point at the player's cat.
std::u16string firstWords(const GameState& s);

// Breed groups shared by the player's cat and the yearly intake.
enum AbilityGroup { GroupA = 0, GroupB = 1, GroupC = 2 };  // A: 2,3,4,8  B: 0,9,10  C: 1,5,6,7
AbilityGroup abilityGroup(int breed);
// Adult weight spread of a breed: span and base grams added to the kitten's weight.
struct WeightSpread {
  int span;
  int base;
};
WeightSpread adultWeightSpread(int breed);

}  // namespace polmina
