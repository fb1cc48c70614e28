#include "game/home.h"

#include "world/labels.h"
#include "world/numbers.h"
#include "world/text.h"

namespace polmina {

namespace {

// "#####": whole grams without leading zeros; nothing at all for zero.
std::u16string grams(double weight) {
  const auto g = static_cast<int64_t>(formatRound(weight));
  return g == 0 ? std::u16string() : num(g);
}

}  // namespace

CatPanelText catPanelText(GameState& s) {
  findPlayerCat(s);
  const CatRecord& c = catAt(s, s.playerCat);
  CatPanelText t;
  t.money = num(s.money) + u"万円";
  t.name = trim(c.name);
  t.ageWeight = num(c.age) + u"才/" + grams(c.weight) + u"g";
  t.sexGrowth = sexLabel(c.sex) + growthTypeName(c.growthType);
  t.record = num(c.starts) + u"戦 " + num(c.wins) + u"勝";
  t.prize = num(c.totalPrize) + u" 万";
  t.catClass = classLabelMain(c.catClass);
  if (c.title != 0 && c.title < s.titleNames.size()) t.title = u"称号　" + s.titleNames[c.title];
  t.nextRace = c.entryRace == -1 ? u"未　定" : slotAt(s, c.entryRace).raceName;
  return t;
}

std::u16string dateText(const GameState& s) {
  return num(s.year) + u"年" + num(s.month) + u"月" + num(s.week) + u"週";
}

std::u16string firstMonthAdvice(const GameState& s) {
  if (s.year != 2001 || s.month != 1) return {};
  const std::u16string& name = s.playerCatName;
  switch (s.week) {
    case 2:
      return u"7月まではレースに出れないニャ\r\nだから調教頑張るニャ！！";
    case 3:
      return name + u"は調子が良い時は\r\n顔をゴシゴシするニャ\r\n絶対におぼえておくニャ";
    case 4:
      return name + u"の調子が悪くなったら\r\n1ヶ月間休養したほうが\r\n回復は早いニャ！！";
    default:
      return {};
  }
}

}  // namespace polmina
