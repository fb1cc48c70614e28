#pragma once
// Booking the player's cat into a race of the calendar: the rows of the race list, who may run what,
// and the answer to a chosen row (a refusal, or the question with distance, prize and handicap).
#include <optional>
#include <string>

#include "world/game.h"
#include "world/i18n.h"
#include "world/state.h"

namespace polmina {

inline constexpr const char16_t* BookingTitle = N_(u"レース登録");

// Row of the race list: the race name padded with full-width spaces to 22 characters, a blank, the
// distance and "m". In another language a race of next year (`nextYear`, else 0) says its year.
std::u16string raceListRow(const RaceSlot& slot, int nextYear = 0);

// May a cat of class `catClass` run a race of class `raceClass`?
bool classMayRun(int catClass, int raceClass);

// What the booking check answers for a race: bookable, bookable with the warning that it is below the
// cat's class, not for the cat's class, not yet (next year's races before October, and next year's
// weeks the list cannot reach yet), or never (this week's races, and weeks gone by).
enum class BookingVerdict { Bookable, Below, Class, Later, Never };

struct BookingAnswer {
  bool refused = true;
  BookingVerdict verdict = BookingVerdict::Never;
  std::u16string text;     // the refusal, or the question's lines joined by CR LF
  std::u16string caption;  // once booked: what the next-race labels show
};

// What choosing calendar slot `slot` (0..239) answers for the player's cat.
BookingAnswer checkBooking(GameState& s, int slot);

// The verdict on race `slot` of `year` (this year or the next) as the check would answer it now; a
// slot of next year that the race list still shows as this year's is not yet bookable.
BookingVerdict bookingVerdict(GameState& s, int year, int slot);
// "bookable", "below", "class", "later", "never".
const char* verdictName(BookingVerdict v);
// The verdict in words, for the lists' marks and the screen reader.
std::u16string verdictText(BookingVerdict v, int raceClass);

// The player's confirmed choice: the cat is booked for `slot`, which replaces any booking it had; the
// notice line follows.
void setBooking(Game& g, int slot);

// How many cats are booked for the race that calendar slot `slot` holds now, against its places.
int bookedFor(const GameState& s, int slot);
std::u16string fullnessText(const GameState& s, int slot);
// The player's choice of `slot` in the race list: a refusal is told; else the question is asked and on
// yes the cat is booked. The next-race caption when it was booked.
std::optional<std::u16string> bookRace(Game& g, int slot);
// The booking given up: the next-race caption of a cat without one.
std::u16string cancelBooking(GameState& s);

// The next-race labels of a cat without a booking: a yearling before May cannot run until July.
std::u16string unbookedCaption(GameState& s);

}  // namespace polmina
