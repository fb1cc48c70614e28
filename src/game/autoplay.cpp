#include "game/autoplay.h"

#include "game/turn.h"
#include "game/yearend.h"

namespace polmina {

void beginWholeWeek(Game& g) {
  g.ui.weekStep(g, WeekStep::Begins);
  nextWeek(g);
}

bool closeWholeWeek(Game& g) {
  g.ui.weekStep(g, WeekStep::Results);
  closeWeek(g);
  if (g.s.awardsPending) {
    g.ui.weekStep(g, WeekStep::Awards);
    yearEnd(g);
    if (g.s.gameOver) return false;
    finishWeek(g);
  }
  g.ui.weekStep(g, WeekStep::Closed);
  if (g.s.remarkPending) {
    g.s.remarkPending = false;
    g.ui.catRemark(g);
  }
  g.ui.weekStep(g, WeekStep::Home);
  return true;
}

bool playWholeWeek(Game& g) {
  beginWholeWeek(g);
  return closeWholeWeek(g);
}

}  // namespace polmina
