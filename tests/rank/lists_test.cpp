#include "rank/lists.h"

#include <gtest/gtest.h>

#include "world/i18n.h"
#include "world/text.h"

namespace polmina {
namespace {

CatRecord cat(const std::u16string& name, int sex = 0, int age = 3, int condition = 80) {
  CatRecord c;
  c.name = padRight(name, CatNameLength);
  c.sex = static_cast<uint8_t>(sex);
  c.age = static_cast<uint8_t>(age);
  c.condition = static_cast<int16_t>(condition);
  c.inUse = -1;
  return c;
}

TEST(ListRows, ActiveRowColumns) {
  EXPECT_EQ(activeCatRow(cat(u"ニャンダフル号", 0, 7, 80)), u"ニャンダフル号　　　　男猫   7歳   　良");
  EXPECT_EQ(activeCatRow(cat(u"ミャオ", 1, 12, 100)), u"ミャオ　　　　　　　　女猫  12歳   最良");
  // Eleven characters or more: left as they are; a blank name still gets one full-width space.
  EXPECT_EQ(activeCatRow(cat(u"アイウエオカキクケコサシ", 0, 1, 0)),
            u"アイウエオカキクケコサシ男猫   1歳   最悪");
  EXPECT_EQ(activeCatRow(cat(u"", 2, 10, 30)), u"　女猫  10歳   普通");
}

TEST(ListRows, ConditionWordsAtTheirEdges) {
  const std::pair<int, std::u16string> cases[] = {
      {101, u"最良"}, {100, u"最良"}, {99, u"　良"}, {65, u"　良"}, {64, u"普通"},
      {30, u"普通"},  {29, u"　悪"},  {1, u"　悪"},  {0, u"最悪"},  {-7, u"最悪"}};
  for (const auto& [condition, word] : cases) {
    const std::u16string row = activeCatRow(cat(u"タマ", 0, 2, condition));
    EXPECT_EQ(row.substr(row.size() - 2), word) << condition;
  }
}

TEST(ListRows, RetiredRowShowsTheHallOfFameOrTheRecord) {
  CatRecord c = cat(u"ボス", 1);
  c.starts = 23;
  c.wins = 4;
  c.title = 16;
  EXPECT_EQ(retiredCatRow(c), u"ボス　　　　　　　　　女猫 　 殿堂入り");
  c.title = 17;
  c.sex = 0;
  EXPECT_EQ(retiredCatRow(c), u"ボス　　　　　　　　　男猫 　 23戦 4勝　");
  c.title = 0;
  EXPECT_EQ(retiredCatRow(c), u"ボス　　　　　　　　　男猫 　 23戦 4勝　");
}

GameState table(std::initializer_list<CatRecord> cats) {
  GameState s;
  s.catCount = 0;
  for (const CatRecord& c : cats) s.cats[s.catCount++] = c;
  return s;
}

std::vector<std::u16string> firstColumn(const std::vector<std::u16string>& rows) {
  std::vector<std::u16string> r;
  for (size_t i = 1; i < rows.size(); ++i) r.push_back(trim(rows[i].substr(0, rows[i].find(u'　'))));
  return r;
}

// In English the names are in Latin letters, half-width, and fill the same 22 columns; the order by
// name is still the game's own (カイ before ジジ, though "Jiji" comes before "Kai").
TEST(ListRows, EnglishNamesInLatinLettersKeepTheColumnsAndTheGamesOrder) {
  ASSERT_TRUE(loadCatalog(POLMINA_CATALOG));
  EXPECT_TRUE(
      activeCatRow(cat(u"マドンナニャスケ", 1, 1)).starts_with(u"Madonnanyasuke　　　　Queen  1 yr  "));
  EXPECT_TRUE(activeCatRow(cat(u"カイ", 0, 12)).starts_with(u"Kai 　　　　　　　　　Tom   12 yrs "));
  GameState s = table({cat(u"ジジ"), cat(u"カイ")});
  EXPECT_EQ(firstColumn(listActiveCats(s, OrderName)), (std::vector<std::u16string>{u"Kai", u"Jiji"}));
  EXPECT_EQ(trim(s.cats[0].name), u"カイ");
  unloadCatalog();
}

TEST(ActiveList, HeadingThenOneRowPerCatInTheChosenOrder) {
  GameState s = table({cat(u"ウ"), cat(u"ア"), cat(u"イ", 0, 9), cat(u"エ", 0, 2)});
  s.cats[0].owner = 1;
  s.cats[0].totalPrize = 50;
  s.cats[1].totalPrize = 300;
  s.cats[2].totalPrize = 300;
  s.cats[3].totalPrize = 20;
  auto rows = listActiveCats(s, OrderName);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], u"　名　　　　前　      性別　  歳　 体調");
  EXPECT_EQ(firstColumn(rows), (std::vector<std::u16string>{u"ア", u"イ", u"ウ", u"エ"}));
  EXPECT_EQ(s.playerCat, 2);

  rows = listActiveCats(s, OrderTotalPrize);
  EXPECT_EQ(firstColumn(rows), (std::vector<std::u16string>{u"ア", u"イ", u"ウ", u"エ"}));
  rows = listActiveCats(s, OrderAge);
  EXPECT_EQ(firstColumn(rows), (std::vector<std::u16string>{u"イ", u"ア", u"ウ", u"エ"}));
  EXPECT_EQ(s.playerCat, 2);
  EXPECT_EQ(s.cats[s.playerCat].owner, 1);
}

TEST(ActiveList, YearPrizeOrderStaysByNameInTheFirstWeekOfTheYear) {
  GameState s = table({cat(u"ア"), cat(u"イ")});
  s.cats[1].yearPrize = 100;
  s.month = 1;
  s.week = 1;
  EXPECT_EQ(firstColumn(listActiveCats(s, OrderYearPrize)), (std::vector<std::u16string>{u"ア", u"イ"}));
  s.week = 2;
  EXPECT_EQ(firstColumn(listActiveCats(s, OrderYearPrize)), (std::vector<std::u16string>{u"イ", u"ア"}));
}

TEST(RetiredList, EmptyHallShowsNothing) {
  GameState s;
  s.retiredCount = 0;
  EXPECT_TRUE(listRetiredCats(s, 0).empty());
  s.retiredCount = -1;
  EXPECT_TRUE(listRetiredCats(s, 1).empty());
}

TEST(RetiredList, ByNameOrByTotalPrize) {
  GameState s;
  s.retiredCount = 3;
  s.retiredCats[0] = cat(u"ウ");
  s.retiredCats[1] = cat(u"ア");
  s.retiredCats[2] = cat(u"イ");
  s.retiredCats[2].totalPrize = 900;
  s.retiredCats[3] = cat(u"あ");  // beyond the count: never listed
  auto rows = listRetiredCats(s, OrderName);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], u"名　　前　　　        性別　  戦　　績");
  EXPECT_EQ(firstColumn(rows), (std::vector<std::u16string>{u"ア", u"イ", u"ウ"}));
  EXPECT_EQ(firstColumn(listRetiredCats(s, OrderTotalPrize)),
            (std::vector<std::u16string>{u"イ", u"ア", u"ウ"}));
  EXPECT_EQ(trim(s.retiredCats[3].name), u"あ");
}

}  // namespace
}  // namespace polmina
