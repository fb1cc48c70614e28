#include "game/booking.h"

#include "game/turn.h"
#include "world/calendar.h"
#include "world/labels.h"
#include "world/text.h"

namespace polmina {

namespace {

constexpr size_t kNameColumn = 22;
// Half-width names are padded to fewer columns: the longest, a big race of next year with its year,
// still fits, and the distance keeps clear of the list's scroll bar.
constexpr size_t kLatinNameColumn = 31;

// The first 16 characters of a row, which is what the question and the labels show.
// In English the name is half-width and its row is cut nowhere: the whole name.
std::u16string rowHead(const RaceSlot& slot) {
  if (currentLanguage() != Language::Japanese) return trim(shownRaceName(slot.raceName));
  return raceListRow(slot).substr(0, 16);
}

std::u16string question(const RaceSlot& slot, bool nextYear, int catClass) {
  std::u16string t = nextYear ? tr(u"翌 ") : u"";
  t += rowHead(slot) + u"\r\n";
  t += trf(u"距離{m}m", {{u"m", num(slot.distance)}}) + u"\r\n";
  t += trf(u"1着賞金{n}万", {{u"n", num(slot.prize)}, {u"yen", yenText(slot.prize)}});
  if (catClass < slot.raceClass) t += tr(u"\r\n下級レースの為、加重されます\r\n約９５％の力しか出せません。");
  return t;
}

}  // namespace

std::u16string raceListRow(const RaceSlot& slot, int nextYear) {
  std::u16string row = shownRaceName(slot.raceName);
  if (currentLanguage() != Language::Japanese) {
    if (nextYear != 0) row += trf(u"（{year}年）", {{u"year", num(nextYear)}});
    if (row.size() < kLatinNameColumn) row.append(kLatinNameColumn - row.size(), u' ');
  } else if (row.size() < kNameColumn) {
    row.append(kNameColumn - row.size(), u'　');
  }
  return row + u" " + num(slot.distance) + u"m";
}

bool classMayRun(int k, int c) {
  if (k == ClassSS || k == ClassS) return c == ClassS || c == ClassA;
  if (k >= ClassA && k <= Class200) return c == k || c == k + 1;
  if (k >= Class70 && k <= ClassNew) return c == k;
  return false;
}

BookingAnswer checkBooking(GameState& s, int slot) {
  findPlayerCat(s);
  const CatRecord& cat = catAt(s, s.playerCat);
  const RaceSlot& race = slotAt(s, slot);
  const bool nextYear = slot < s.weekBase;
  using enum BookingVerdict;
  if (nextYear && s.month < 10) return {true, Later, tr(u"10月になるまで来年の申し込みは出来ません"), {}};
  if (slot >= s.weekBase && slot <= s.weekBase + 4)
    return {true, Never, tr(u"今週のレースは登録を終了しています。"), {}};
  if (!classMayRun(cat.catClass, race.raceClass)) return {true, Class, tr(u"そのレースは出走できません"), {}};
  const std::u16string line1 = (nextYear ? tr(u"翌 ") : u"") + rowHead(race);
  return {false, cat.catClass < race.raceClass ? Below : Bookable, question(race, nextYear, cat.catClass),
          trim(line1)};
}

BookingVerdict bookingVerdict(GameState& s, int year, int slot) {
  const bool listed = year == s.year ? slot >= s.weekBase : year == s.year + 1 && slot < s.weekBase;
  if (!listed) return year > s.year ? BookingVerdict::Later : BookingVerdict::Never;
  return checkBooking(s, slot).verdict;
}

const char* verdictName(BookingVerdict v) {
  switch (v) {
    case BookingVerdict::Bookable:
      return "bookable";
    case BookingVerdict::Below:
      return "below";
    case BookingVerdict::Class:
      return "class";
    case BookingVerdict::Later:
      return "later";
    case BookingVerdict::Never:
      break;
  }
  return "never";
}

std::u16string verdictText(BookingVerdict v, int raceClass) {
  switch (v) {
    case BookingVerdict::Bookable:
      return tr(u"登録できます");
    case BookingVerdict::Below:
      return tr(u"登録できます（下級レース）");
    case BookingVerdict::Class:
      return trf(u"{class}のレースです", {{u"class", classLabelMain(raceClass)}});
    case BookingVerdict::Later:
      return tr(u"まだ登録できません");
    case BookingVerdict::Never:
      break;
  }
  return tr(u"登録は終わりました");
}

void setBooking(Game& g, int slot) {
  findPlayerCat(g.s);
  catAt(g.s, g.s.playerCat).entryRace = static_cast<int16_t>(slot);
  noticeAfterBooking(g.s);
}

int bookedFor(const GameState& s, int slot) {
  int n = 0;
  for (int i = 0; i < s.catCount; ++i) n += s.cats[static_cast<size_t>(i)].entryRace == slot ? 1 : 0;
  return n;
}

std::u16string fullnessText(const GameState& s, int slot) {
  return num(bookedFor(s, slot)) + u"/" + num(MaxRunners);
}

std::u16string unbookedCaption(GameState& s) {
  findPlayerCat(s);
  return tr(catAt(s, s.playerCat).age == 1 && s.month < 5 ? N_(u"7月まで出走出来ません") : N_(u"未　定"));
}

std::optional<std::u16string> bookRace(Game& g, int slot) {
  GameState& s = g.s;
  const BookingAnswer a = checkBooking(s, slot);
  if (a.refused) {
    g.ui.tell(Question::BookingRefused, BookingTitle, a.text);
    return std::nullopt;
  }
  if (!g.ui.askYesNo(Question::Booking, BookingTitle, a.text)) return std::nullopt;
  setBooking(g, slot);
  return a.caption;
}

std::u16string cancelBooking(GameState& s) {
  std::u16string caption = unbookedCaption(s);
  catAt(s, s.playerCat).entryRace = -1;
  noticeAfterBooking(s);
  return caption;
}

}  // namespace polmina
