#include "game/autoplay.h"

#include "game/turn.h"
#include "game/yearend.h"

namespace polmina {

bool closeWholeWeek(Game& g) {
  closeWeek(g);
  if (g.s.awardsPending) {
    yearEnd(g);
    if (g.s.gameOver) return false;
    finishWeek(g);
  }
  return true;
}

bool playWholeWeek(Game& g) {
  nextWeek(g);
  return closeWholeWeek(g);
}

}  // namespace polmina
