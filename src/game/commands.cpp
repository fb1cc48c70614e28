#include "game/commands.h"

#include <stdexcept>

#include "game/turn.h"
#include "rank/lists.h"
#include "world/i18n.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {
CatRecord& playerCatOf(GameState& s) {
  findPlayerCat(s);
  return catAt(s, s.playerCat);
}
}  // namespace

void updateConditionLevel(GameState& s) {
  const CatRecord& c = playerCatOf(s);
  if (c.restWeeks != 0) {
    s.conditionLevel = 6;
  } else if (c.condition > 100) {
    s.conditionLevel = 1;
  } else if (c.condition >= 65) {
    s.conditionLevel = 2;
  } else if (c.condition >= 30) {
    s.conditionLevel = 3;
  } else if (c.condition >= 1) {
    s.conditionLevel = 4;
  } else {
    s.conditionLevel = 5;
  }
}

void resetTraining(GameState& s) {
  // Only sliders that actually move report a change, and with it the notice line; sliders already at
  // 0 leave the notice as it was.
  const CatRecord& c = playerCatOf(s);
  const bool anySet = c.trainSpeed1 != 0 || c.trainStamina1 != 0 || c.trainPower1 != 0 || c.trainSpeed2 != 0 ||
                      c.trainStamina2 != 0 || c.trainPower2 != 0;
  if (anySet) setTraining(s, {0, 0, 0, 0, 0, 0});
  s.conditionLevel = 6;
}

void startRest(GameState& s) {
  playerCatOf(s).restWeeks = 1;
  resetTraining(s);
}

bool askRest(Game& g) {
  if (!g.ui.askYesNo(Question::Rest, u"休養", tr(u"1ヶ月間休養をさせますか？"))) return false;
  startRest(g.s);
  return true;
}

void openCatList(GameState& s, bool active) { s.listShowsActive = active; }

std::vector<std::u16string> sortCatList(GameState& s, int order) {
  std::vector<std::u16string> rows = s.listShowsActive ? listActiveCats(s, order) : listRetiredCats(s, order);
  s.listSortOrder = static_cast<uint8_t>(order);
  return rows;
}

void setTraining(GameState& s, const std::array<int, 6>& levels) {
  for (int v : levels)
    if (v < 0 || v > 3) throw std::invalid_argument("training level outside 0..3");
  CatRecord& c = playerCatOf(s);
  c.trainSpeed1 = static_cast<uint8_t>(levels[0]);
  c.trainStamina1 = static_cast<uint8_t>(levels[1]);
  c.trainPower1 = static_cast<uint8_t>(levels[2]);
  c.trainSpeed2 = static_cast<uint8_t>(levels[3]);
  c.trainStamina2 = static_cast<uint8_t>(levels[4]);
  c.trainPower2 = static_cast<uint8_t>(levels[5]);
  const bool unset = levels == std::array<int, 6>{0, 0, 0, 0, 0, 0};
  s.noticeLine = unset ? tr(NoTrainingNotice) : u"";
  updateConditionLevel(s);
}

void chooseRunningStyle(Game& g, int option) {
  if (option < 0 || option > 3) throw std::invalid_argument("running style outside 0..3");
  const int r = intFloorL(2 * g.rng.uniform());
  static constexpr std::array<std::array<std::array<uint8_t, 4>, 2>, 4> kFlags = {{
      {{{1, 1, 0, 0}, {1, 1, 0, 0}}},
      {{{1, 0, 1, 0}, {1, 0, 0, 1}}},
      {{{0, 1, 1, 0}, {0, 1, 0, 1}}},
      {{{0, 0, 1, 1}, {0, 0, 1, 1}}},
  }};
  playerCatOf(g.s).styleFlags = kFlags[option][r];
}

int runningStyleOption(const std::array<uint8_t, 4>& f) {
  if (f[0] == 1 && f[1] == 1) return 0;
  if (f[0] == 1 && (f[2] == 1 || f[3] == 1)) return 1;
  if (f[1] == 1 && (f[2] == 1 || f[3] == 1)) return 2;
  if (f[2] == 1 && f[3] == 1) return 3;
  return -1;
}

}  // namespace polmina
