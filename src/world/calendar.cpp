#include "world/calendar.h"

#include <array>

#include "world/i18n.h"
#include "world/text.h"

namespace polmina {

namespace {

// Distances of races 3R, 4R and 5R by month and week. The 12/4 5R entry is replaced by the year's race.
constexpr std::array<std::array<std::array<int, 3>, 4>, 12> kDistances = {{
    {{{100, 100, 100}, {150, 150, 150}, {200, 100, 100}, {100, 150, 100}}},
    {{{150, 200, 200}, {200, 250, 250}, {100, 200, 250}, {200, 250, 100}}},
    {{{100, 100, 100}, {150, 150, 150}, {200, 100, 150}, {200, 150, 150}}},
    {{{100, 200, 200}, {150, 250, 250}, {200, 200, 200}, {100, 250, 150}}},
    {{{150, 100, 100}, {200, 150, 150}, {100, 100, 100}, {150, 150, 200}}},
    {{{200, 200, 200}, {100, 250, 250}, {150, 200, 250}, {200, 250, 200}}},
    {{{100, 100, 100}, {150, 150, 150}, {200, 100, 150}, {100, 150, 250}}},
    {{{150, 200, 200}, {200, 250, 250}, {100, 200, 200}, {150, 250, 250}}},
    {{{200, 100, 100}, {100, 150, 150}, {150, 100, 100}, {200, 150, 300}}},
    {{{100, 200, 200}, {150, 250, 250}, {200, 200, 250}, {100, 250, 300}}},
    {{{150, 100, 100}, {200, 150, 150}, {100, 100, 150}, {150, 150, 300}}},
    {{{200, 200, 200}, {100, 250, 250}, {150, 200, 200}, {200, 250, 0}}},
}};

struct Race {
  const char16_t* label;
  int16_t raceClass;
  int32_t prize;
  int32_t distance;
};

// The A-class big races run as 5R in week 4 of the even months.
Race bigRace(int month) {
  switch (month) {
    case 2: return {N_(u"早猫賞"), ClassA, 700, 100};
    case 4: return {N_(u"桜猫賞"), ClassA, 700, 150};
    case 6: return {N_(u"優駿猫"), ClassA, 700, 200};
    case 8: return {N_(u"菊猫賞"), ClassA, 700, 250};
    default: return {N_(u"有猫記念"), ClassA, 700, 300};
  }
}

Race raceOf(int month, int week, int race) {
  const auto& grid = kDistances[month - 1][week - 1];
  // New-cat races: 1R from 7/2 to 10/4, and 11/2 1R which keeps the maiden label.
  const int weekNo = (month - 1) * 4 + week;
  const bool newCatSeason = weekNo >= (6 * 4 + 2) && weekNo <= (9 * 4 + 4);
  switch (race) {
    case 1:
      if (newCatSeason) return {N_(u"新猫戦"), ClassNew, 20, 100};
      if (month == 11 && week == 2) return {N_(u"未勝利戦"), ClassNew, 20, 100};
      return {N_(u"未勝利戦"), ClassMaiden, 20, 100};
    case 2:
      return {N_(u"未勝利戦"), ClassMaiden, 20, (month == 7 && week == 3) ? 100 : 150};
    case 3:
      return {N_(u"７０万下戦"), Class70, 50, grid[0]};
    case 4:
      if (week <= 2) return {N_(u"２００万下戦"), Class200, 100, grid[1]};
      return {N_(u"７００万下戦"), Class700, 200, grid[1]};
    default:
      if (week <= 2) return {N_(u"Ｄクラス戦"), ClassD, 300, grid[2]};
      if (week == 3) return {N_(u"Ｃクラス戦"), ClassC, 400, grid[2]};
      if (month % 2 == 1) return {N_(u"Ｂクラス戦"), ClassB, 500, grid[2]};
      if (month == 12) return {u"", ClassS, 1500, 0};  // named by setYearEndRace
      return bigRace(month);
  }
}

}  // namespace

void fillCalendar(GameState& s) {
  for (int m = 1; m <= 12; ++m) {
    for (int w = 1; w <= 4; ++w) {
      for (int r = 1; r <= 5; ++r) {
        const Race race = raceOf(m, w, r);
        RaceSlot& slot = slotAt(s, slotIndex(m, w, r));
        slot.raceName = padLeft(num(m), 2) + u"/" + num(w) + u" " + num(r) + u"R " + race.label;
        slot.raceClass = race.raceClass;
        slot.distance = race.distance;
        slot.prize = race.prize;
      }
    }
  }
  setYearEndRace(s);
  for (auto& slot : s.calendar) slot.raceClassByte = static_cast<uint8_t>(slot.raceClass);
}

void setYearEndRace(GameState& s) {
  static const std::array<const char16_t*, 3> names = {N_(u"猫皇記念"), N_(u"猫聖記念"), N_(u"天猫記念")};
  const int k = s.year % 3;
  RaceSlot& last = slotAt(s, CalendarSize - 1);
  last.raceName = std::u16string(u"12/4 5R ") + names[k];
  last.distance = 100 * (k + 1);
}

void fillTitleNames(GameState& s) {
  static const std::array<const char16_t*, 26> titles = {
      N_(u"　無　　し"), N_(u"　化　け　猫"), N_(u"　神に愛されし猫"), N_(u"　魔　　神"), N_(u"　魔　　猫"),
      N_(u"　神　　猫"), N_(u"　雷　　神"), N_(u"　白の伝説"), N_(u"　暗　黒　神"), N_(u"　天　　猫"),
      N_(u"　雷　　聖"), N_(u"　白い聖人"), N_(u"　黒い聖者"), N_(u"　聖なる猫"), N_(u"　雷　　皇"),
      N_(u"　白い疾風"), N_(u"　黒い弾丸"), N_(u"　閃　　光"), N_(u"　天の申し子"), N_(u"　怪　　物"),
      N_(u"　皇　　帝"), N_(u"　女　　帝"), N_(u"　超　　猫"), N_(u"　勇　　猫"), N_(u"　強　　猫"),
      N_(u"　神に挑みし猫")};
  for (size_t i = 0; i < titles.size(); ++i) s.titleNames[i] = titles[i];
}

std::u16string shownRaceName(std::u16string_view raceName) {
  // "MM/W NR " and the race's own name, which is the one part in words.
  const size_t at = raceName.find(u"R ");
  if (at == std::u16string_view::npos) return tr(raceName);
  return std::u16string(raceName.substr(0, at + 2)) + tr(raceName.substr(at + 2));
}

}  // namespace polmina
