#pragma once
// The close of the year: the awards of the year, then (after their OK) the player's cat's retirement
// or the cull of the population, the new year's prizes and classes, and the new cats.
#include <array>
#include <string>

#include "world/game.h"
#include "world/i18n.h"

namespace polmina {

// Captions beside the award names (LabKingName 0..6).
inline constexpr std::array<const char16_t*, 7> AwardCaptions = {N_(u"1～3歳最優秀猫"),
                                                                  N_(u"4～6歳最優秀猫"),
                                                                  N_(u"7～9歳最優秀猫"),
                                                                  N_(u"10～12歳最優秀猫"),
                                                                  N_(u"13～15歳最優秀猫"),
                                                                  N_(u"16歳以上最優秀猫"),
                                                                  N_(u"本　年　度　最　優　秀　猫")};

// Sorts the cats by this year's prize (richest first) and names the best cat of each age band and of
// the year in awardNames, pausing between them; leaves awardsPending set for the awards' OK.
void showYearAwards(Game& g);

// The awards' OK. Either the player's cat retires (farewell boxes, gameOver set, nothing else
// changes) or the year is closed: cull of a full table, zeroed year prizes, reset champions, new cats
// become maidens, new-cat intake; awardsPending cleared.
void yearEnd(Game& g);
// Whether the player's cat leaves racing at the awards' OK (and the game ends with it).
bool playerRetires(const CatRecord& c);

// Empties slot i: a blank, retired, in-use record of class 9 with no race and 10000 points.
void clearCat(GameState& s, int i);
// Moves the active cats over the retired or cleared slots before them.
void compactCats(GameState& s);

// Puts a copy of cats[index] into the hall of retired cats; a full hall keeps the 100 richest careers.
void addRetiredCat(GameState& s, int index);

}  // namespace polmina
