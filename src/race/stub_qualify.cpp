// TEMPORARY: stands in for the big-race module until it lands; delete this file when it does.
#include "race/bigrace.h"

namespace polmina {

void qualify(Game& g, int slot, const std::array<int16_t, MaxRunners>& finishOrder) {
  struct Route {
    int from, qualified, to;
  };
  static constexpr Route routes[] = {{19, 2, 29},   {39, 3, 79},   {59, 2, 79},   {79, 3, 119},
                                     {99, 2, 119},  {119, 3, 159}, {139, 2, 159}, {159, 3, 199},
                                     {179, 2, 199}, {199, 2, 239}};
  for (const Route& r : routes) {
    if (r.from != slot) continue;
    for (int i = 0; i < r.qualified; ++i)
      if (finishOrder[i] != -1) catAt(g.s, finishOrder[i]).entryRace = static_cast<int16_t>(r.to);
  }
}

}  // namespace polmina
