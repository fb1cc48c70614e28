#include "race/bigrace.h"

#include <span>

#include "rank/sort.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {

namespace {

struct Qualifier {
  int fromSlot;
  int places;
  int toSlot;
};

constexpr Qualifier kQualifiers[] = {
    {19, 2, 29},   {39, 3, 79},   {59, 2, 79},   {79, 3, 119},  {99, 2, 119},
    {119, 3, 159}, {139, 2, 159}, {159, 3, 199}, {179, 2, 199}, {199, 2, 239},
};

}  // namespace

void inviteBigRace(Game& g) {
  GameState& s = g.s;
  if (s.week != 4 || s.month % 2 == 0 || s.month > 11) return;
  sortByPoints(std::span(s.cats), false, 0, s.catCount - 1);
  findPlayerCat(s);
  const int target = slotIndex(s.month + 1, 4, 5);
  const bool committee = s.month == 11;
  // For the races in between, the qualifiers are already booked and are not invited on top.
  const bool reinviteBooked = s.month == 1 || committee;
  const int wanted = committee ? 12 : 6;
  int invited = 0;
  for (int i = 0; i < s.catCount && invited < wanted; ++i) {
    CatRecord& cat = catAt(s, i);
    if (cat.retired == -1 || cat.catClass > ClassA) continue;
    if (cat.entryRace == target && !reinviteBooked) continue;
    if (cat.owner == 1) {
      if (!committee) continue;
      if (!g.ui.askYesNo(Question::SelectionCommittee, u"審査会", trf(u"{cat}が『３大大会』に選ばれました\r\n出走しますか？", {{u"cat", s.playerCatName}})))
        continue;
    }
    cat.entryRace = static_cast<int16_t>(target);
    ++invited;
  }
}

void qualify(GameState& s, int slot) {
  for (const Qualifier& q : kQualifiers) {
    if (q.fromSlot != slot) continue;
    for (int p = 0; p < q.places; ++p) {
      const int cat = s.finishOrder.at(static_cast<size_t>(p));
      if (cat >= 0) catAt(s, cat).entryRace = static_cast<int16_t>(q.toSlot);
    }
  }
}

}  // namespace polmina
