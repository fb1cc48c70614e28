#pragma once
// In-place sorts of a cat table. Every ranking of the game is one of these: the table itself is
// reordered (whole records move), so callers run findPlayerCat afterwards.
#include <span>

#include "world/state.h"

namespace polmina {

using CatTable = std::span<CatRecord>;

// Each sorts table[lo..hi] (inclusive); ascending unless `descending`. Nothing happens when lo >= hi.
void sortByName(CatTable table, bool descending, int lo, int hi);
void sortByTotalPrize(CatTable table, bool descending, int lo, int hi);
void sortByYearPrize(CatTable table, bool descending, int lo, int hi);
void sortByAge(CatTable table, bool descending, int lo, int hi);
void sortByPoints(CatTable table, bool descending, int lo, int hi);
void sortBySpeed(CatTable table, bool descending, int lo, int hi);
void sortByTotalPrizeOnly(CatTable table, bool descending, int lo, int hi);
void sortByAgeAndYearPrize(CatTable table, bool descending, int lo, int hi);

// Moves the records table[order[0]], table[order[1]], ... to table[lo], table[lo + 1], ..., each once.
// `order` holds each place of table[lo .. lo + order.size() - 1] once.
void placeInOrder(CatTable table, int lo, std::span<const int> order);

// Reverses entries 0..n.
void reverseRange(CatTable table, int n);

// The keys, exposed for tests and for the lists that explain an order.
double totalPrizeKey(const CatRecord& c);
double yearPrizeKey(const CatRecord& c);
int64_t ageKey(const CatRecord& c);
int64_t ageAndYearPrizeKey(const CatRecord& c);

}  // namespace polmina
