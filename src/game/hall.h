#pragma once
// The hall of fame (殿堂) as the player reads it: a career's record and title in words.
#include <string>

#include "history/history.h"

namespace polmina {

// The career record of the cat as it ended: the farewell's text for a retired cat, the hall's record
// for one left for a new game.
std::u16string careerText(const Career& c);
// The title the cat ended with ("　無　　し" for none).
std::u16string careerTitle(const Career& c);

}  // namespace polmina
