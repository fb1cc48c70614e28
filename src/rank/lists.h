#pragma once
// The two cat lists of the main window's cat-list panel. Building a list sorts the table it shows
// (whole records move), so the player's cat is looked up again afterwards.
#include <string>
#include <vector>

#include "world/state.h"

namespace polmina {

// Orders of the sort-order box: 0 name, 1 total prize, 2 this year's prize, 3 age.
enum ListOrder { OrderName = 0, OrderTotalPrize = 1, OrderYearPrize = 2, OrderAge = 3 };

// Heading row, then one row per active cat in table order (row k shows cats[k - 1]).
std::vector<std::u16string> listActiveCats(GameState& s, int order);
// Heading row, then one row per retired cat; empty, without heading, when the hall has no entries.
// Only the total-prize order (1) changes the name order here.
std::vector<std::u16string> listRetiredCats(GameState& s, int order);

// The cat-list panel's list built again as it was last chosen: active cats when listShowsActive is set,
// else the retired cats, in listSortOrder. Like every build it reorders the table it lists, which the
// weekly turn relies on: the cats' table order (and with it their form-cycle slots) follows the list.
void rebuildCatList(GameState& s);

// The sorts behind the two lists, without their rows; false when the hall has nothing to list.
void sortActiveCats(GameState& s, int order);
bool sortRetiredCats(GameState& s, int order);

// One row of each list, as the list box shows it.
std::u16string activeCatRow(const CatRecord& c);
std::u16string retiredCatRow(const CatRecord& c);

}  // namespace polmina
