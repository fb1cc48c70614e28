#pragma once
// The weekly turn: "次週" runs the week's races, its OK closes the week, moves the calendar and lets
// every cat train, tire, grow and gain or lose weight.
//
// Flow for the windows:
//   nextWeek(g)            the results panel is up, only its OK is usable
//   closeWeek(g)           registration, calendar, development; at the change of year the awards are
//                          up and awardsPending is set: the week stays open until the awards' OK has
//                          run yearEnd(g) and then finishWeek(g)
//   finishWeek(g)          closes the week (called by closeWeek itself in an ordinary week)
// After finishWeek a set remarkPending asks the window to let the cat say pendingMessage.
#include <string>

#include "world/game.h"

namespace polmina {

void nextWeek(Game& g);
void closeWeek(Game& g);
void finishWeek(Game& g);
// Moves to the next week (and year), ends a rest, develops every cat.
void advanceWeek(Game& g);
// One week of training, fatigue, growth, weight, condition and form for cats[0 .. catCount-1].
void developCats(Game& g);
// The cat's remark about the coming week, appended to pendingMessage (may draw one random number).
void composeWeekRemark(Game& g);

// The player booked a race or cancelled its booking: the notice line says what holds now, and a
// notice of the registration programme's own booking goes.
void noticeAfterBooking(GameState& s);

// The face of the player's cat for a condition: 1 (best) .. 5 (worst).
uint8_t conditionLevelOf(int condition);

// The notice line's texts.
inline constexpr const char16_t* NoTrainingNotice = N_(u"調教が設定されていません。");

}  // namespace polmina
