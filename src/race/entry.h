#pragma once
// Race entry: the weekly registration programme and the building of each race's field.
#include <span>
#include <string>

#include "world/game.h"

namespace polmina {

inline constexpr int MinRunners = 5;

// The registration programme of the week: books free, fit cats into races three to six weeks ahead,
// then sends the big-race invitations.
void registerCats(Game& g);
// Up to three attempts to book cat `cat` into calendar slot `slot`; true when one of them booked it.
// Re-seeds the generator first.
bool tryRegister(Game& g, int cat, int slot);
// The order in which the registered cats are met: forward (richest first) or backward.
void setScanOrder(GameState& s, bool forward);
// Places the cats registered for calendar slot c, race k (1..5) of the week, in scan order; returns
// how many were placed. Cats resting, or beyond a full field, lose their registration.
int buildField(Game& g, int k, int c);
// Puts the first n runners into gate order: the larger draw key gets the earlier gate.
void orderGates(std::span<Runner> runners, int n);
// The title of race k's message boxes ("R1" .. "R5").
std::u16string raceTitle(int k);

}  // namespace polmina
