#include "game/home.h"

#include "world/calendar.h"
#include "world/labels.h"
#include "world/numbers.h"
#include "world/romaji.h"
#include "world/text.h"

namespace polmina {

namespace {

// "#####": whole grams without leading zeros; nothing at all for zero.
std::u16string grams(double weight) {
  const auto g = static_cast<int64_t>(formatRound(weight));
  return g == 0 ? std::u16string() : num(g);
}

// "1才/257g"; in English "1 year, 257 g".
constexpr const char16_t* kAgeWeight = N_(u"{n}才/{grams}g");
[[maybe_unused]] constexpr const char16_t* kAgeWeightOne = NC_(u"one", u"{n}才/{grams}g");

// "3戦 1勝"; in English "3 runs, 1 win".
std::u16string recordText(int starts, int wins) {
  return trf(u"{starts} {wins}", {{u"starts", runsCounted(starts)}, {u"wins", winsCounted(wins)}});
}

}  // namespace

CatPanelText catPanelText(GameState& s) {
  findPlayerCat(s);
  const CatRecord& c = catAt(s, s.playerCat);
  CatPanelText t;
  t.money = trf(u"{n}万円", {{u"n", num(s.money)}, {u"yen", yenText(s.money)}});
  t.name = shownName(trim(c.name));
  t.ageWeight = fill(counted(c.age, kAgeWeight), {{u"grams", grams(c.weight)}});
  t.sexGrowth = sexLabel(c.sex) + growthTypeName(c.growthType);
  t.record = recordText(c.starts, c.wins);
  t.prize = trf(u"{n} 万", {{u"n", num(c.totalPrize)}, {u"yen", yenText(c.totalPrize)}});
  t.catClass = classLabelMain(c.catClass);
  if (c.title != 0 && c.title < s.titleNames.size()) t.title = tr(u"称号　") + tr(s.titleNames[c.title]);
  t.nextRace = c.entryRace == -1 ? tr(u"未　定") : shownRaceName(slotAt(s, c.entryRace).raceName);
  return t;
}

std::u16string dateText(const GameState& s) {
  return trf(u"{year}年{month}月{week}週", {{u"year", num(s.year)}, {u"month", num(s.month)}, {u"week", num(s.week)}});
}

std::u16string spokenDateText(const GameState& s) {
  static constexpr const char16_t* kMonths[12] = {
      NC_(u"month", u"1月"), NC_(u"month", u"2月"),  NC_(u"month", u"3月"),  NC_(u"month", u"4月"),
      NC_(u"month", u"5月"), NC_(u"month", u"6月"),  NC_(u"month", u"7月"),  NC_(u"month", u"8月"),
      NC_(u"month", u"9月"), NC_(u"month", u"10月"), NC_(u"month", u"11月"), NC_(u"month", u"12月")};
  const std::u16string month = s.month >= 1 && s.month <= 12 ? trc(u"month", kMonths[s.month - 1]) : num(s.month);
  return fill(trc(u"spoken", u"{year}年{month}{week}週"),
              {{u"year", num(s.year)}, {u"month", month}, {u"week", num(s.week)}});
}

std::u16string firstMonthAdvice(const GameState& s) {
  if (s.year != 2001 || s.month != 1) return {};
  const std::u16string& name = s.playerCatName;
  switch (s.week) {
    case 2:
      return tr(u"7月まではレースに出れないニャ\r\nだから調教頑張るニャ！！");
    case 3:
      return trf(u"{cat}は調子が良い時は\r\n顔をゴシゴシするニャ\r\n絶対におぼえておくニャ", {{u"cat", name}});
    case 4:
      return trf(u"{cat}の調子が悪くなったら\r\n1ヶ月間休養したほうが\r\n回復は早いニャ！！", {{u"cat", name}});
    default:
      return {};
  }
}

void clickCat(GameState& s) {
  std::u16string advice = firstMonthAdvice(s);
  if (!advice.empty()) s.pendingMessage = std::move(advice);
}

}  // namespace polmina
