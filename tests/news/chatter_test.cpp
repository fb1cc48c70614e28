// The cat's chatter: which text the window shows, and what stays pending afterwards.
#include "news/chatter.h"

#include <gtest/gtest.h>

#include "race/world.h"

namespace polmina {
namespace {

using testworld::World;

struct Chatter : ::testing::Test {
  World w;
  ChatterTexts texts = buildChatterTexts(u"ユウ", u"タマ");

  Chatter() {
    w.s().pendingMessage.clear();
    w.s().conditionLevel = 2;
  }
  CatRecord& player() { return w.cat(testworld::PlayerIndex); }
  // Opens the chatter window with the row draw giving `row`.
  std::u16string open(int row) {
    w.rng.push({ScriptedRng::pickOf(row, 4)});
    return chooseChatterText(w.g, texts);
  }
};

TEST_F(Chatter, ConditionBandsAndTheSleepingNoiseOfARestingCat) {
  const std::pair<int, int> bands[] = {{101, 0}, {100, 1}, {66, 1}, {65, 2}, {31, 2},
                                       {30, 3},  {1, 3},   {0, 4},  {-40, 4}};
  for (const auto& [condition, band] : bands) EXPECT_EQ(chatterBand(condition), band) << condition;
  EXPECT_EQ(sleepingNoise(101), u"スースースー");
  EXPECT_EQ(sleepingNoise(0), u"んーんー・・・");
  // A resting cat makes its noise without a draw, and says it again at the next click.
  player().condition = 20;
  w.s().conditionLevel = 6;
  const int draws = w.rng.draws;
  EXPECT_EQ(chooseChatterText(w.g, texts), u"グーグーグー");
  EXPECT_EQ(w.rng.draws, draws);
  EXPECT_EQ(w.s().pendingMessage, u"グーグーグー");
}

TEST_F(Chatter, TheSayingFollowsConditionAgeAndTheDrawAndStaysPending) {
  player().condition = 50;
  const std::pair<int, int> columns[] = {{1, 0}, {5, 0}, {6, 1}, {10, 1}, {11, 2}, {20, 2}};
  for (const auto& [age, column] : columns) {
    w.s().pendingMessage.clear();
    player().age = static_cast<uint8_t>(age);
    const std::u16string expected = texts.tables[2][static_cast<size_t>(3 * 3 + column)];
    EXPECT_EQ(open(3), expected) << "age " << age;
    EXPECT_EQ(w.s().pendingMessage, expected) << "clicking again this week repeats it";
  }
  EXPECT_EQ(texts.tables[2][9], u"ユウ レースはやってみないとわからないけど 調子は悪くないニャ｡ ");
  // An age of 0 still draws the row but says nothing.
  w.s().pendingMessage.clear();
  player().age = 0;
  const int draws = w.rng.draws;
  EXPECT_EQ(open(1), u"");
  EXPECT_EQ(w.rng.draws, draws + 1);
  EXPECT_EQ(w.s().pendingMessage, u"");
}

TEST_F(Chatter, APendingRemarkWinsOverTheRaceNoteAndOneOffRemarksAreSaidOnce) {
  w.weekOf(37);
  player().entryRace = 37;
  w.s().pendingMessage = u"がんばったニャ";
  EXPECT_EQ(chooseChatterText(w.g, texts), u"がんばったニャ");
  EXPECT_EQ(w.s().pendingMessage, u"がんばったニャ");

  w.s().pendingMessage.clear();
  EXPECT_EQ(chooseChatterText(w.g, texts), u"今週末は" + w.s().calendar[37].raceName + u"に出走予定ニャ   ");
  EXPECT_EQ(w.s().pendingMessage, u"");

  for (const char16_t* once :
       {u"お話ししようニャ", u"今週はなにもないニャ", u"調教の予定が入ってないニャ！！"}) {
    w.s().pendingMessage = once;
    EXPECT_EQ(chooseChatterText(w.g, texts), once);
    EXPECT_EQ(w.s().pendingMessage, u"") << toUtf8(once);
  }
}

TEST_F(Chatter, TheTopCatSayingNamesTheRichestCatAndReordersTheTable) {
  player().condition = 80;
  player().age = 11;
  w.cat(500).totalPrize = 999999;
  const std::u16string richest = shownName(w.cat(500));
  w.cat(999).totalPrize = 9999999;       // the last record is not looked at
  const std::u16string shown = open(2);  // table 2, entry 8
  EXPECT_EQ(shown, richest + u"はなんであんニャに強いニャ？　ユウ 知ってるニャ？");
  EXPECT_EQ(w.s().pendingMessage, shown);
  EXPECT_EQ(shownName(w.cat(0)), richest);
  for (int i = 1; i < 999; ++i) ASSERT_GE(w.cat(i - 1).totalPrize, w.cat(i).totalPrize) << i;
  EXPECT_EQ(w.cat(999).totalPrize, 9999999);
  EXPECT_EQ(w.cat(w.s().playerCat).owner, 1);
  EXPECT_EQ(substituteTopCat(w.s(), u"猫猫みたい"), u"猫猫みたい");
}

TEST_F(Chatter, TheTopCatSortLeavesTheEmptyRecordsOfATableThatIsNotFull) {
  w.s().catCount = 600;
  for (int i = 600; i < MaxCats; ++i) w.cat(i) = CatRecord{};
  for (int i = 0; i < 600; ++i) w.cat(i).totalPrize = 0;  // ties with the empty records
  substituteTopCat(w.s(), u"猫猫猫だニャ");
  for (int i = 0; i < 600; ++i) ASSERT_EQ(w.cat(i).inUse, -1) << i;
}

}  // namespace
}  // namespace polmina
