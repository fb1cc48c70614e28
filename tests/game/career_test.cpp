#include "game/career.h"

#include <gtest/gtest.h>

#include <memory>

#include "headless/headless.h"
#include "platform/clock.h"
#include "platform/rng.h"
#include "support/game_world.h"
#include "world/calendar.h"
#include "world/text.h"

namespace polmina {
namespace {

struct CareerFixture : ::testing::Test, GameWorld {
  CareerFixture() : GameWorld(1) {}
  CatRecord c;

  void SetUp() override {
    fillCalendar(s);
    c.name = padRight(u"クロスケ", CatNameLength);
    c.catClass = ClassNew;
    c.breed = 8;
    c.entryRace = -1;
  }
};

TEST_F(CareerFixture, CatWithoutRacesShowsNoneEverywhere) {
  EXPECT_EQ(careerRecordText(s, c, CareerView::Active),
            u"称号　　無　　し\r\n\r\n"
            u"階級　新猫クラス　　種別　クロ\r\n\r\n"
            u"Ｓクラス戦　戦績 \r\n　無し\r\n"
            u"Ａクラス戦　戦績 \r\n　無し\r\n"
            u"Ｂクラス戦　戦績 \r\n　無し\r\n"
            u"Ｃクラス戦　戦績 \r\n　無し\r\n"
            u"Ｄクラス戦　戦績 \r\n　無し\r\n"
            u"\r\n対戦戦績　　0戦0勝\r\n"
            u"総獲得賞金　0万\r\n"
            u"本年度賞金　0万\r\n\r\n"
            u"次出走予定　\r\n"
            u"　　　未　　　　定　　　");
}

TEST_F(CareerFixture, PlacingsByClass) {
  c.title = 1;
  c.catClass = ClassSS;
  c.results[0] = 1;       // 1着 猫皇杯
  c.results[2] = 2;       // 1着 天猫杯
  c.results[10] = 1;      // 着外 猫聖杯
  c.results[12 + 1] = 1;  // A: 早猫賞 won
  c.results[12 + 4] = 1;  // A: 有猫記念 won
  c.results[24 + 3] = 1;  // A: third
  c.results[17] = 9;      // never read
  c.results[39] = 3;      // B: 着外 only
  c.results[44] = 1;
  c.results[45] = 2;
  c.starts = 12;
  c.wins = 5;
  c.totalPrize = 4321;
  const std::u16string t = careerRecordText(s, c, CareerView::Retired);
  EXPECT_EQ(t,
            u"称号　　化　け　猫\r\n\r\n"
            u"階級　ＳＳクラス　　種別　クロ\r\n\r\n"
            u"Ｓクラス戦　戦績 \r\n"
            u"　『猫皇杯』 1着1回\r\n"
            u"　『天猫杯』 1着2回\r\n"
            u"　『猫聖杯』 着外1回\r\n"
            u"Ａクラス戦　戦績 \r\n　優勝 2回　　 ３着 1回　\r\n"
            u"Ｂクラス戦　戦績 \r\n　着外 3回\r\n"
            u"Ｃクラス戦　戦績 \r\n　無し\r\n"
            u"Ｄクラス戦　戦績 \r\n　優勝 1回　　 ２着 2回　\r\n"
            u"\r\n対戦戦績　　12戦5勝\r\n"
            u"総獲得賞金　4321万\r\n");
}

TEST_F(CareerFixture, EndingsAndUnknownBreed) {
  c.breed = 11;
  c.yearPrize = 250;
  c.entryRace = 7;
  const std::u16string active = careerRecordText(s, c, CareerView::Active);
  EXPECT_TRUE(active.starts_with(u"称号　　無　　し\r\n\r\n階級　新猫クラス\r\n"));
  EXPECT_TRUE(active.ends_with(
      u"総獲得賞金　0万\r\n本年度賞金　250万\r\n\r\n次出走予定　\r\n 1/2 3R ７０万下戦\r\n"));
  EXPECT_TRUE(careerRecordText(s, c, CareerView::Farewell)
                  .ends_with(u"総獲得賞金　0万\r\n\r\n以上がクロスケの全成績でした。\r\n"));
}

TEST_F(CareerFixture, ShowReadsTheHallOnlyInTheRetiredView) {
  s.cats[3] = c;
  s.cats[3].totalPrize = 10;
  s.retiredCats[3] = c;
  s.retiredCats[3].totalPrize = 20;
  s.retiredCats[3].name = padRight(u"シロ", CatNameLength);

  showCareerRecord(g, -1, CareerView::Active);
  EXPECT_TRUE(ui.messages.empty());

  showCareerRecord(g, 3, CareerView::Active);
  showCareerRecord(g, 3, CareerView::Retired);
  showCareerRecord(g, 3, CareerView::Farewell);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_EQ(ui.messages[0].title, padRight(u"クロスケ", CatNameLength));
  EXPECT_TRUE(ui.messages[0].text.ends_with(u"　　　未　　　　定　　　"));
  EXPECT_EQ(ui.messages[1].title, padRight(u"シロ", CatNameLength));
  EXPECT_TRUE(ui.messages[1].text.ends_with(u"総獲得賞金　20万\r\n"));
  EXPECT_EQ(ui.messages[2].title, padRight(u"クロスケ", CatNameLength));
  EXPECT_TRUE(ui.messages[2].text.ends_with(u"以上がクロスケの全成績でした。\r\n"));
}

}  // namespace
}  // namespace polmina
