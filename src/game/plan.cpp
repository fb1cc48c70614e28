#include "game/plan.h"

#include <algorithm>

#include "store/record.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr int kWeeksInYear = CalendarSize / 5;

// A race of this year or the next, in one number that orders them by date.
int64_t raceKey(int year, int slot) { return static_cast<int64_t>(year) * CalendarSize + slot; }

// The year of the race that calendar slot `slot` holds now: this week's and later ones are this
// year's, earlier ones next year's.
int yearOfSlot(const GameState& s, int slot) { return slot >= s.weekBase ? s.year : s.year + 1; }

bool isTarget(const std::vector<TargetRace>& targets, int year, int slot, bool* missed) {
  for (const TargetRace& t : targets)
    if (t.year == year && t.slot == slot) {
      *missed = t.missed;
      return true;
    }
  return false;
}

std::u16string raceNameOf(const GameState& s, int slot) {
  return shownRaceName(trim(slotAt(s, slot).raceName));
}

// The lines of `text` joined by a full-width space, for the notice line.
std::u16string oneLine(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      out += u'　';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

std::vector<PlanRow> seasonPlan(GameState& s, const std::vector<TargetRace>& targets) {
  findPlayerCat(s);
  const int booked = catAt(s, s.playerCat).entryRace;
  std::vector<PlanRow> rows;
  for (int year = s.year; year <= s.year + 1; ++year) {
    for (int slot = year == s.year ? s.weekBase : 0; slot < CalendarSize; ++slot) {
      PlanRow r;
      r.year = year;
      r.slot = slot;
      r.verdict = bookingVerdict(s, year, slot);
      r.target = isTarget(targets, year, slot, &r.missed);
      const bool now = yearOfSlot(s, slot) == year;  // the race the slot holds now
      r.booked = now && booked == slot;
      r.entries = now ? bookedFor(s, slot) : 0;
      rows.push_back(r);
    }
  }
  return rows;
}

std::map<int, DistanceRecord> recordByDistance(const std::vector<FormbookRow>& formbook) {
  std::map<int, DistanceRecord> out;
  for (const FormbookRow& f : formbook) {
    DistanceRecord& r = out[f.distance];
    r.starts += 1;
    r.wins += f.place == 1 ? 1 : 0;
    if (f.place > 0 && (r.best == 0 || f.place < r.best)) r.best = f.place;
  }
  return out;
}

std::u16string distanceRecordText(const DistanceRecord& r) {
  if (r.starts == 0) return tr(u"未出走");
  return trf(u"{starts}戦{wins}勝 最高{best}着", {{u"starts", num(r.starts)},
                                                  {u"wins", num(r.wins)},
                                                  {u"runs", runsCounted(r.starts)},
                                                  {u"won", winsCounted(r.wins)},
                                                  {u"best", num(r.best)}});
}

int weeksUntil(const GameState& s, int year, int slot) {
  return (year - s.year) * kWeeksInYear + slot / 5 - s.weekBase / 5;
}

int activeIndexOf(const GameState& s, const FollowedCat& f) {
  for (int i = 0; i < s.catCount; ++i)
    if (s.cats[static_cast<size_t>(i)].retired == 0 && isFollowedCat(f, s.cats[static_cast<size_t>(i)]))
      return i;
  return -1;
}

std::vector<RivalRow> SeasonPlanner::rivals(const GameState& s) {
  std::vector<RivalRow> rows;
  for (FollowedCat& f : h_.followed(s)) {
    RivalRow r;
    r.index = activeIndexOf(s, f);
    r.record = r.index >= 0 ? s.cats[static_cast<size_t>(r.index)] : f.last;
    r.against = h_.headToHead(s, f.id);
    r.cat = std::move(f);
    rows.push_back(std::move(r));
  }
  return rows;
}

std::optional<TargetRace> SeasonPlanner::nextTarget(const GameState& s) {
  for (const TargetRace& t : h_.targets(s))  // in date order
    if (!t.missed && raceKey(t.year, t.slot) >= raceKey(s.year, s.weekBase + 5)) return t;
  return std::nullopt;
}

bool SeasonPlanner::rivalInCatsRace(const GameState& s) {
  const int player = playerCatIndex(s);
  const int booked = catAt(s, player).entryRace;
  if (booked < 0) return false;
  for (const FollowedCat& f : h_.followed(s)) {
    const int i = activeIndexOf(s, f);
    if (i >= 0 && i != player && s.cats[static_cast<size_t>(i)].entryRace == booked) return true;
  }
  return false;
}

void SeasonPlanner::weekBegun(Game& g) {
  std::vector<std::u16string> told;
  checkTargets(g, told);
  bookTarget(g, told);
  watchRivals(g, told);
  if (told.empty()) return;
  std::u16string& line = g.s.noticeLine;
  for (const std::u16string& t : told) line += (line.empty() ? u"" : u"　") + t;
}

// A target whose week has come without the cat booked in it can no longer be booked.
void SeasonPlanner::checkTargets(Game& g, std::vector<std::u16string>& told) {
  GameState& s = g.s;
  findPlayerCat(s);
  const int booked = catAt(s, s.playerCat).entryRace;
  for (const TargetRace& t : h_.targets(s)) {
    if (t.missed || raceKey(t.year, t.slot) >= raceKey(s.year, s.weekBase + 5)) continue;
    const bool running = t.year == s.year && t.slot >= s.weekBase && t.slot == booked;
    if (running || raceKey(t.year, t.slot) < raceKey(s.year, s.weekBase)) continue;
    h_.targetMissed(s, t.year, t.slot);
    told.push_back(trf(u"目標の{race}には出走できなくなりました。", {{u"race", raceNameOf(s, t.slot)}}));
  }
}

// The player's own 登録 at the start of the week: the same check, the same question (its texts on the
// notice line instead of a box), the same booking.
void SeasonPlanner::bookTarget(Game& g, std::vector<std::u16string>& told) {
  GameState& s = g.s;
  findPlayerCat(s);
  if (catAt(s, s.playerCat).entryRace != -1) return;
  const std::optional<TargetRace> next = nextTarget(s);
  if (!next || yearOfSlot(s, next->slot) != next->year) return;
  const BookingAnswer a = checkBooking(s, next->slot);
  if (a.refused) return;
  setBooking(g, next->slot);
  told.push_back(tr(u"目標のレースに登録しました：") + oneLine(a.text));
}

void SeasonPlanner::watchRivals(Game& g, std::vector<std::u16string>& told) {
  GameState& s = g.s;
  findPlayerCat(s);
  const int booked = catAt(s, s.playerCat).entryRace;
  for (FollowedCat& f : h_.followed(s)) {
    const int i = activeIndexOf(s, f);
    FollowedCat seen = f;
    if (i < 0) {
      if (f.retired) continue;
      seen.retired = true;
      told.push_back(trf(u"注目の{cat}が引退しました。", {{u"cat", f.name}}));
    } else {
      const CatRecord& c = s.cats[static_cast<size_t>(i)];
      seen.last = c;
      const int64_t race = booked >= 0 ? raceKey(yearOfSlot(s, booked), booked) : -1;
      if (i != s.playerCat && booked >= 0 && c.entryRace == booked && f.toldEntry != race) {
        seen.toldEntry = race;
        told.push_back(trf(u"注目の{cat}が{race}に登録しています。",
                           {{u"cat", f.name}, {u"race", raceNameOf(s, booked)}}));
      }
      if (encodeCat(seen.last) == encodeCat(f.last) && seen.toldEntry == f.toldEntry) continue;
    }
    h_.followedSeen(s, seen);
  }
}

}  // namespace polmina
